// fork/exec with a double fork: the intermediate child exits at once and is reaped here,
// the grandchild runs the program under init. An exec failure is reported back through
// a close-on-exec pipe, so the caller knows whether the file really started.
#include "platform/qt/launch_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace qv {
namespace {

struct Candidate {
  const char* windowsCommand;
  std::vector<std::vector<const char*>> programs;
};

const std::vector<Candidate>& Candidates() {
  static const std::vector<Candidate> table = {
      {"notepad.exe",
       {{"gnome-text-editor"},
        {"gedit"},
        {"kwrite"},
        {"kate"},
        {"mousepad"},
        {"pluma"},
        {"xed"},
        {"featherpad"},
        {"leafpad"},
        {"xedit"}}},
      {"calc.exe",
       {{"gnome-calculator"},
        {"kcalc"},
        {"galculator"},
        {"mate-calc"},
        {"qalculate-gtk"},
        {"xcalc"}}},
      {"winipcfg",
       {{"nm-connection-editor"},
        {"gnome-control-center", "network"},
        {"systemsettings", "kcm_networkmanagement"}}},
      {"scandisk", {{"gnome-disks"}, {"partitionmanager"}, {"gparted"}}},
      {"defrag", {{"gnome-disks"}, {"partitionmanager"}, {"gparted"}}},
  };
  return table;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string FindOnPath(const std::string& program, const std::string& searchPath) {
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    std::string folder = searchPath.substr(start, end - start);
    if (!folder.empty() && folder[0] == '/') {
      std::string candidate = folder + "/" + program;
      if (IsExecutableFile(candidate)) return candidate;
    }
    start = end + 1;
  }
  return {};
}

void CloseInheritedDescriptors(int keep) {
#ifdef SYS_close_range
  if (keep > 3) syscall(SYS_close_range, 3u, static_cast<unsigned>(keep - 1), 0u);
  if (syscall(SYS_close_range, static_cast<unsigned>(keep + 1), ~0u, 0u) == 0) return;
#endif
  const long highest = sysconf(_SC_OPEN_MAX);
  for (int fd = 3; fd < highest && fd < 65536; ++fd)
    if (fd != keep) close(fd);
}

[[noreturn]] void ExecInGrandchild(char* const* argv, int reportFd) {
  setsid();  // our session ending or our death must not take it along
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int s = 1; s < NSIG; ++s) signal(s, SIG_DFL);
  CloseInheritedDescriptors(reportFd);
  execv(argv[0], argv);
  int error = errno;
  ssize_t ignored = write(reportFd, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

}  // namespace

bool StartDetached(const std::vector<std::string>& args) {
  if (args.empty() || args[0].empty()) return false;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(report[0]), close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    if (fork() == 0) ExecInGrandchild(argv.data(), report[1]);
    _exit(0);
  }
  close(report[1]);
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do got = read(report[0], &error, sizeof error);
  while (got < 0 && errno == EINTR);
  close(report[0]);
  return got == 0;  // the pipe closed on a successful exec
}

std::vector<std::string> BuiltInCommandLine(const std::string& windowsCommand,
                                            const std::string& searchPath) {
  for (const Candidate& tool : Candidates()) {
    if (windowsCommand != tool.windowsCommand) continue;
    for (const auto& program : tool.programs) {
      std::string found = FindOnPath(program[0], searchPath);
      if (found.empty()) continue;
      std::vector<std::string> line{found};
      line.insert(line.end(), program.begin() + 1, program.end());
      return line;
    }
  }
  return {};
}

}  // namespace qv
