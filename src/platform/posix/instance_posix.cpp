// The previous-instance test on Linux: an exclusive lock on a file in the user's runtime
// folder. The kernel drops the lock when the process dies, so a crash never blocks the
// next start. Runs before the display is touched, in plain C calls: the executable that
// runs it loads no C++ library, to keep a duplicate start short.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/entry.h"

namespace qv {

bool PreviousInstanceRunning() {
  char path[4096];
  const char* runtime = getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/')
    snprintf(path, sizeof path, "%s/qv.lock", runtime);
  else
    snprintf(path, sizeof path, "/tmp/qv-%u.lock", static_cast<unsigned>(getuid()));
  // In the shared /tmp anyone may have put a link or a file there first: only a file of
  // our own is trusted. No lock to be had: better two copies than none.
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
