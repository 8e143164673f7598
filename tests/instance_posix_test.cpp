// The previous-instance test: one holder at a time, released when the holder dies.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

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

}  // namespace
}  // namespace qv
