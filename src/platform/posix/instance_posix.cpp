// The previous-instance test on Linux: an exclusive lock on a file in the user's runtime
// folder, or a private folder of the user's when there is none. The kernel drops the lock when the
// process dies, so a crash never blocks the next start. Runs before the display is touched, in
// plain C calls: the executable that runs it loads no C++ library, to keep a duplicate start short.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/entry.h"

namespace qv {
namespace {

// A folder only this user can enter: made 0700, and checked to be a folder (no link) of
// this user that no one else may use, as Qt checks its /tmp/runtime-USER.
bool IsPrivateFolder(const char* path) {
  mkdir(path, 0700);
  struct stat info;
  return lstat(path, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
         (info.st_mode & 077) == 0;
}

// The user's runtime folder; without one, a private folder in /tmp; when another user
// took that name first, the user's cache folder.
void LockPath(char* path, size_t size) {
  const char* runtime = getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') {
    snprintf(path, size, "%s/qv.lock", runtime);
    return;
  }
  char folder[4000];
  snprintf(folder, sizeof folder, "/tmp/qv-%u", static_cast<unsigned>(getuid()));
  if (!IsPrivateFolder(folder)) {
    const char* home = getenv("HOME");
    snprintf(folder, sizeof folder, "%s/.cache", home && home[0] == '/' ? home : "");
    mkdir(folder, 0700);
  }
  snprintf(path, size, "%s/qv.lock", folder);
}

}  // namespace

bool PreviousInstanceRunning() {
  char path[4096];
  LockPath(path, sizeof path);
  // Only a file of our own is trusted, never a link. No lock to be had: better two
  // copies than none.
  int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
    close(fd);
    return false;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return false;  // held until this process ends
  close(fd);
  return true;
}

}  // namespace qv
