// The previous-instance test on Linux: an exclusive lock on a file in the user's runtime
// folder. The kernel drops the lock when the process dies, so a crash never blocks the
// next start. Runs before the display is touched.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cstdlib>
#include <string>

#include "platform/entry.h"

namespace qv {

bool PreviousInstanceRunning() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string path = runtime && runtime[0] == '/' ? std::string(runtime) + "/qv.lock"
                                                  : "/tmp/qv-" + std::to_string(getuid()) + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;  // no lock to be had: better two copies than none
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return false;  // held until this process ends
  close(fd);
  return true;
}

}  // namespace qv
