// The user's configuration folder, from the environment or the password database.
#include "platform/posix/xdg_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace qv {

std::string ConfigHome() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : "/tmp";
  }
  return std::string(home) + "/.config";
}

}  // namespace qv
