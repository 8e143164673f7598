// Start-up on Linux: the Qt platform, run through XWayland under a Wayland session so
// the menu can place itself in the corner.
#include <cstdlib>
#include <cstring>

#include "platform/entry.h"
#include "platform/posix/launch_posix.h"
#include "platform/qt/qt_platform.h"

namespace qv {

std::unique_ptr<Platform> MakePlatform(int& argc, char** argv) {
  const char* session = std::getenv("XDG_SESSION_TYPE");
  const bool wayland =
      std::getenv("WAYLAND_DISPLAY") || (session && !std::strcmp(session, "wayland"));
  if (wayland && std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    KeepFromStartedPrograms("QT_QPA_PLATFORM");  // the user's programs stay on Wayland
  }
  return std::make_unique<QtPlatform>(argc, argv);
}

}  // namespace qv
