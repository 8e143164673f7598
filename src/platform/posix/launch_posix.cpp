// Starting programs with posix_spawn, never through a shell; the children we start are
// reaped as they end, and the built-in tools are looked up on the PATH.
#include "platform/posix/launch_posix.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string_view>

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

// Children we started and have not reaped yet; the SIGCHLD handler reaps exactly these,
// so no started program ever lingers as a zombie and nobody else's children are touched.
constexpr int kTracked = 256;
std::atomic<pid_t> startedChildren[kTracked];

void ReapStartedChildren(int) {
  const int saved = errno;
  for (auto& slot : startedChildren) {
    const pid_t pid = slot.load();
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == pid) slot.store(0);
  }
  errno = saved;
}

void Track(pid_t pid) {
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_handler = ReapStartedChildren;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    return sigaction(SIGCHLD, &action, nullptr) == 0;
  }();
  (void)installed;
  for (auto& slot : startedChildren) {
    pid_t empty = 0;
    if (slot.compare_exchange_strong(empty, pid)) break;
  }
  ReapStartedChildren(0);  // it may have ended before it was tracked
}

std::vector<std::string>& KeptFromStartedPrograms() {
  static std::vector<std::string> names;
  return names;
}

// Our environment less the variables the launcher set for itself.
std::vector<char*> StartedProgramsEnvironment() {
  std::vector<char*> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string_view text(*entry);
    bool kept = false;
    for (const std::string& name : KeptFromStartedPrograms())
      kept = kept || (text.substr(0, name.size()) == name && text.size() > name.size() &&
                      text[name.size()] == '=');
    if (!kept) variables.push_back(*entry);
  }
  variables.push_back(nullptr);
  return variables;
}

}  // namespace

void KeepFromStartedPrograms(const std::string& name) {
  KeptFromStartedPrograms().push_back(name);
}

bool StartDetached(const std::vector<std::string>& args, int* error) {
  if (error) *error = ENOENT;
  if (args.empty() || args[0].empty()) return false;
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  // posix_spawn shares our memory until the exec (no copy of a large GUI process) and
  // reports a failed exec; the child gets its own session, default signals and only
  // descriptors 0 to 2.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  pid_t child = 0;
  std::vector<char*> environment = StartedProgramsEnvironment();
  const int failed =
      posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environment.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error) *error = failed;
  if (failed != 0) return false;
  Track(child);
  return true;
}

std::string WhyNotStarted(const std::string& path, int error) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) return "there is no such file";
  if (S_ISDIR(info.st_mode)) return "it is a folder";
  if (access(path.c_str(), X_OK) != 0 || !S_ISREG(info.st_mode)) return "it is not executable";
  return std::strerror(error);
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
