// Starting programs on Linux: exactly the named file or nothing, no shell, no zombies,
// no inherited descriptors, and the desktop's equivalents of the built-in tools.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/posix/launch_posix.h"
#include "temp_folder.h"

namespace qv {
namespace {

// A script that records its arguments, parent and open descriptors next to a marker path.
void WriteMarkerScript(const std::string& path, const std::string& marker, mode_t mode = 0755) {
  std::ofstream(path) << "#!/bin/sh\n"
                      << "ls /proc/$$/fd > '" << marker << ".fds'\n"
                      << "awk '{print $6}' /proc/$$/stat > '" << marker << ".session'\n"
                      << "echo \"$#:$*\" > '" << marker << ".tmp' && mv '" << marker << ".tmp' '"
                      << marker << "'\n";
  chmod(path.c_str(), mode);
}

bool WaitFor(const std::string& path) {
  for (int i = 0; i < 500; ++i) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

std::string FirstLine(const std::string& path) {
  std::string line;
  std::getline(std::ifstream(path), line);
  return line;
}

TEST(StartDetached, StartsExactlyTheNamedFileWhateverItsName) {
  TempFolder folder;
  const std::vector<std::string> names = {"my prog",          "q\"uote'd", "semi;colon && echo",
                                          "$(touch x)",       "`touch y`", "new\nline",
                                          "\xC3\xA9t\xC3\xA9"};
  std::filesystem::create_directories(folder / "my");  // a decoy where a split would look
  WriteMarkerScript(folder / "my/decoy", folder / "decoy-ran");
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string marker = folder / (std::string("ran") + std::to_string(i));
    WriteMarkerScript(folder / names[i], marker);
    ASSERT_TRUE(StartDetached({folder / names[i]})) << names[i];
    ASSERT_TRUE(WaitFor(marker)) << names[i];
    EXPECT_EQ(FirstLine(marker), "0:") << "no arguments were added";
  }
  std::string longFolder = folder.path;  // a path of some 4000 characters
  while (longFolder.size() < 3700) longFolder += "/" + std::string(250, 'l');
  const std::string longName = longFolder + "/" + std::string(250, 'n');
  std::filesystem::create_directories(longFolder);
  WriteMarkerScript(longName, folder / "long-ran");
  EXPECT_TRUE(StartDetached({longName}));
  EXPECT_TRUE(WaitFor(folder / "long-ran"));
  EXPECT_FALSE(std::filesystem::exists(folder / "x"));
  EXPECT_FALSE(std::filesystem::exists(folder / "y"));
  EXPECT_FALSE(std::filesystem::exists(folder / "decoy-ran"));
}

TEST(StartDetached, StartsNothingForWhatIsNotAnExecutableFile) {
  TempFolder folder;
  WriteMarkerScript(folder / "not executable", folder / "ran", 0644);
  std::ofstream(folder / "no interpreter") << "touch '" << (folder / "ran") << "'\n";
  chmod((folder / "no interpreter").c_str(), 0755);  // no #! line: a shell must not run it
  for (const std::string& path : {folder / "not executable", folder / "no interpreter", folder.path,
                                  folder / "missing", std::string(), std::string(5000, '/') + "x"})
    EXPECT_FALSE(StartDetached({path})) << path;
  usleep(100000);
  EXPECT_FALSE(std::filesystem::exists(folder / "ran"));
}

// True once no child of ours is left, ended or running: peeks without reaping.
bool NoChildLeft() {
  for (int i = 0; i < 200; ++i) {
    siginfo_t info{};
    if (waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(StartDetached, LeavesNoZombieAndNoDescriptorBehind) {
  TempFolder folder;
  const int inherited = dup2(open("/dev/null", O_RDONLY), 57);  // not close-on-exec
  ASSERT_EQ(inherited, 57);
  WriteMarkerScript(folder / "prog", folder / "ran");
  ASSERT_TRUE(StartDetached({folder / "prog"}));
  ASSERT_TRUE(WaitFor(folder / "ran"));
  close(inherited);
  EXPECT_TRUE(NoChildLeft()) << "an ended program is left unreaped";
  EXPECT_NE(FirstLine(folder / "ran.session"), std::to_string(getsid(0))) << "a session of its own";
  std::ifstream fds(folder / "ran.fds");
  for (std::string fd; fds >> fd;) EXPECT_NE(fd, "57");
}

// The first installed equivalent in PATH order, found only as an executable file in an
// absolute folder: what lies under the working folder (a relative entry, ".", an empty
// entry), a folder named like a tool and a file that cannot run are passed over.
TEST(BuiltInCommandLine, FindsTheFirstInstalledEquivalent) {
  TempFolder work, bin1, bin2;
  auto install = [](const std::string& path, mode_t mode = 0755) {
    std::ofstream(path) << "#!/bin/sh\n";
    chmod(path.c_str(), mode);
  };
  mkdir((work / "relative").c_str(), 0755);
  install(work / "relative/gnome-text-editor");
  install(work / "gnome-calculator");
  mkdir((bin2 / "gnome-text-editor").c_str(), 0755);
  install(bin2 / "gedit", 0644);
  install(bin2 / "gnome-control-center");
  install(bin2 / "xcalc");
  install(bin1 / "kwrite");
  const std::string path = "relative:.::" + bin2.path + ":" + bin1.path;
  const std::string before = std::filesystem::current_path();
  std::filesystem::current_path(work.path);
  EXPECT_EQ(BuiltInCommandLine("notepad.exe", path), std::vector<std::string>{bin1 / "kwrite"});
  EXPECT_EQ(BuiltInCommandLine("calc.exe", path), std::vector<std::string>{bin2 / "xcalc"});
  std::filesystem::current_path(before);
  EXPECT_EQ(BuiltInCommandLine("winipcfg", path),
            (std::vector<std::string>{bin2 / "gnome-control-center", "network"}));
  EXPECT_TRUE(BuiltInCommandLine("scandisk", path).empty());
  EXPECT_TRUE(BuiltInCommandLine("defrag", "").empty());
  EXPECT_TRUE(BuiltInCommandLine("format.com", path).empty());
}

// What the launcher set for itself (QT_QPA_PLATFORM under Wayland) stays out of the
// programs it starts; everything else of its environment, the user's own, goes along.
TEST(StartDetached, StartedProgramsGetTheUsersEnvironment) {
  TempFolder folder;
  const std::string script = folder / "env", out = folder / "env.out";
  std::ofstream(script) << "#!/bin/sh\nenv > '" << out << ".tmp' && mv '" << out << ".tmp' '" << out
                        << "'\n";
  chmod(script.c_str(), 0755);
  setenv("QV_TEST_OWN", "set by the launcher", 1);
  setenv("QV_TEST_USERS", "the user's", 1);
  KeepFromStartedPrograms("QV_TEST_OWN");
  ASSERT_TRUE(StartDetached({script}));
  ASSERT_TRUE(WaitFor(out));
  const std::string env = FileBytes(out);
  EXPECT_EQ(env.find("QV_TEST_OWN="), std::string::npos);
  EXPECT_NE(env.find("QV_TEST_USERS=the user's\n"), std::string::npos);
  EXPECT_NE(env.find("PATH="), std::string::npos);
}

}  // namespace
}  // namespace qv
