// The previous-instance test: one holder at a time, released when the holder dies.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/entry.h"
#include "temp_folder.h"

namespace qv {
namespace {

// Runs the test in a child process; its answer comes back as the exit status.
bool AnswerOfAnotherProcess() {
  pid_t child = fork();
  if (child == 0) _exit(PreviousInstanceRunning() ? 1 : 0);
  int status = 0;
  waitpid(child, &status, 0);
  return WEXITSTATUS(status) == 1;
}

TEST(PreviousInstance, OnlyOneHolderAndACrashReleasesIt) {
  TempFolder runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path.c_str(), 1);
  EXPECT_FALSE(AnswerOfAnotherProcess()) << "nobody holds it yet";

  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t holder = fork();
  if (holder == 0) {
    const bool running = PreviousInstanceRunning();
    (void)!write(ready[1], running ? "y" : "n", 1);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  EXPECT_EQ(answer, 'n');
  EXPECT_TRUE(AnswerOfAnotherProcess());
  EXPECT_TRUE(AnswerOfAnotherProcess());

  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_FALSE(AnswerOfAnotherProcess()) << "a killed holder must not block the next start";
  unsetenv("XDG_RUNTIME_DIR");
}

// Holds the lock in a child until it is killed; true when that child got it.
pid_t HoldInChild(bool& got) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  pid_t holder = fork();
  if (holder == 0) {
    (void)!write(ready[1], PreviousInstanceRunning() ? "y" : "n", 1);
    pause();
    _exit(0);
  }
  char answer = 0;
  got = read(ready[0], &answer, 1) == 1 && answer == 'n';
  close(ready[0]), close(ready[1]);
  return holder;
}

// Without a runtime folder the lock lives in a private folder in the shared /tmp, where
// another user may have put a link, a file or a folder of that name first. None of them
// is used, and the lock still keeps a second copy from running.
TEST(PreviousInstance, TheFallbackCannotBeTakenByAnotherUser) {
  unsetenv("XDG_RUNTIME_DIR");
  TempFolder home, elsewhere;
  setenv("HOME", home.path.c_str(), 1);
  const std::string folder = "/tmp/qv-" + std::to_string(getuid());
  const std::string target = elsewhere / "planted";
  std::vector<std::function<void()>> plants = {
      [] {},
      [&] { EXPECT_EQ(symlink(target.c_str(), folder.c_str()), 0); },
      [&] { close(open(folder.c_str(), O_CREAT | O_RDWR, 0666)); },
      [&] { EXPECT_EQ(mkdir(folder.c_str(), 0700) | chmod(folder.c_str(), 0777), 0); },
  };
  if (geteuid() == 0)  // only root can plant a folder owned by somebody else
    plants.push_back(
        [&] { EXPECT_EQ(mkdir(folder.c_str(), 0700) | chown(folder.c_str(), 65534, 65534), 0); });
  const std::string oldName = folder + ".lock";  // where earlier builds kept the lock
  unlink(oldName.c_str());
  ASSERT_EQ(symlink(target.c_str(), oldName.c_str()), 0);
  for (std::size_t i = 0; i < plants.size(); ++i) {
    std::filesystem::remove_all(folder);
    plants[i]();
    bool got = false;
    const pid_t first = HoldInChild(got);
    EXPECT_TRUE(got) << "plant " << i;
    EXPECT_TRUE(AnswerOfAnotherProcess()) << "plant " << i << ": two copies would run";
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    EXPECT_FALSE(std::filesystem::exists(target)) << "plant " << i << ": the link was followed";
  }
  std::filesystem::remove_all(folder);
  unlink(oldName.c_str());
}

}  // namespace
}  // namespace qv
