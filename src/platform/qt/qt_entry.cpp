// Start-up on Linux: the Qt platform, run through XWayland under a Wayland session so
// the menu can place itself in the corner, or through Qt's Wayland platform where there
// is no X display but a Wayland one. Where there is neither, Qt would end the process
// with a core dump: QV says why and ends with status 1.
#include <xcb/xcb.h>
#include <QDir>
#include <QLibraryInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/entry.h"
#include "platform/posix/launch_posix.h"
#include "platform/qt/qt_platform.h"

namespace qv {
namespace {

// Held until Qt has made its own connection: an X server whose last client leaves resets
// itself (Xorg and Xvfb do by default), and Qt connecting during that reset would fail.
using XConnection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

bool WaylandPlatformInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
  return !platforms.entryList({"libqwayland*.so"}).isEmpty();
}

// True when Qt will have somewhere to show QV's windows, choosing Wayland where X is not
// there; otherwise says why on standard error.
bool ChooseDisplay(XConnection& held) {
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen && *chosen && std::strcmp(chosen, "xcb") != 0) return true;  // the user's choice
  held.reset(xcb_connect(nullptr, nullptr));
  if (!xcb_connection_has_error(held.get())) return true;
  if (std::getenv("WAYLAND_DISPLAY") && !chosen && WaylandPlatformInstalled()) {
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    KeepFromStartedPrograms("QT_QPA_PLATFORM");
    return true;
  }
  const char* display = std::getenv("DISPLAY");
  std::fprintf(stderr,
               "qv: cannot start: no X display to show its windows on (DISPLAY %s%s%s)%s.\n",
               display ? "is \"" : "is not set", display ? display : "", display ? "\"" : "",
               std::getenv("WAYLAND_DISPLAY")
                   ? ", and Qt's Wayland platform (the package qt6-wayland) is not installed"
                   : "");
  return false;
}

}  // namespace

std::unique_ptr<Platform> MakePlatform(int& argc, char** argv) {
  const char* session = std::getenv("XDG_SESSION_TYPE");
  const bool wayland =
      std::getenv("WAYLAND_DISPLAY") || (session && !std::strcmp(session, "wayland"));
  if (wayland && std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    KeepFromStartedPrograms("QT_QPA_PLATFORM");  // the user's programs stay on Wayland
  }
  XConnection held(nullptr, xcb_disconnect);
  if (!ChooseDisplay(held)) return nullptr;
  return std::make_unique<QtPlatform>(argc, argv);
}

}  // namespace qv
