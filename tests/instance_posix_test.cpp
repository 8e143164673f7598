// The previous-instance test: one holder at a time, released when the holder dies.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <filesystem>

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

// Without a runtime folder the lock lives in the shared /tmp, where anyone may create the
// file first. A link there is never followed, and a file of another user never used: QV
// then runs, as when no lock can be had.
TEST(PreviousInstance, TheSharedFallbackTrustsOnlyAFileOfItsOwn) {
  unsetenv("XDG_RUNTIME_DIR");
  const std::string lock = "/tmp/qv-" + std::to_string(getuid()) + ".lock";
  TempFolder elsewhere;
  const std::string target = elsewhere / "planted";
  unlink(lock.c_str());
  ASSERT_EQ(symlink(target.c_str(), lock.c_str()), 0);
  EXPECT_FALSE(AnswerOfAnotherProcess());
  EXPECT_FALSE(std::filesystem::exists(target)) << "the link was followed";
  unlink(lock.c_str());
  if (geteuid() == 0) {  // only root can plant a file owned by somebody else
    close(open(lock.c_str(), O_CREAT | O_RDWR, 0666));
    ASSERT_EQ(chown(lock.c_str(), 65534, 65534), 0);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t first = fork();
    if (first == 0) {
      (void)!write(ready[1], PreviousInstanceRunning() ? "y" : "n", 1);
      pause();
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    EXPECT_FALSE(AnswerOfAnotherProcess()) << "the planted file must not hold anyone back";
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    unlink(lock.c_str());
  }
}

}  // namespace
}  // namespace qv
