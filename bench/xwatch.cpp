// Times what a user sees on an X display by watching X events, never by polling:
//   xwatch dock -- CMD...      start CMD; ms until a window of it is docked in the tray
//                               (reparented away from the root); prints "ms pid"
//   xwatch popup X Y W H        click at X,Y; ms until a W x H window is mapped, then ms
//                               until its first frame is drawn (-1 if not seen)
//   xwatch click X Y            click at X,Y; prints the monotonic clock in ns at the send
//   xwatch run -- CMD...        run CMD to its end; prints ms
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double NowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Waits for the next X event until the deadline; false on time-out.
bool NextEvent(Display* display, XEvent& event, double deadlineMs) {
  while (!XPending(display)) {
    const double left = deadlineMs - NowMs();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left) + 1);
  }
  XNextEvent(display, &event);
  return true;
}

pid_t Spawn(char** argv) {
  pid_t child = fork();
  if (child == 0) {
    setsid();
    execvp(argv[0], argv);
    _exit(127);
  }
  return child;
}

int Dock(Display* display, char** argv) {
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const double start = NowMs();
  const pid_t child = Spawn(argv);
  XEvent event;
  while (NextEvent(display, event, start + 20000))
    if (event.type == ReparentNotify && event.xreparent.parent != DefaultRootWindow(display)) {
      std::printf("%.2f %d\n", NowMs() - start, child);
      return 0;
    }
  std::printf("-1 %d\n", child);
  return 1;
}

void Click(Display* display, int x, int y) {
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
}

int Popup(Display* display, int x, int y, int width, int height) {
  int damageEvent = 0, damageError = 0;
  const bool damage = XDamageQueryExtension(display, &damageEvent, &damageError);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const double start = NowMs();
  Click(display, x, y);
  XEvent event;
  double mapped = -1, painted = -1;
  while (NextEvent(display, event, start + 5000)) {
    if (event.type != MapNotify) continue;
    XWindowAttributes attributes;
    XGetWindowAttributes(display, event.xmap.window, &attributes);
    if (attributes.width != width || attributes.height != height) continue;
    mapped = NowMs() - start;
    if (damage) XDamageCreate(display, event.xmap.window, XDamageReportNonEmpty);
    break;
  }
  while (damage && mapped >= 0 && NextEvent(display, event, start + mapped + 500))
    if (event.type == damageEvent + XDamageNotify) {
      painted = NowMs() - start;
      break;
    }
  std::printf("%.2f %.2f\n", mapped, painted);
  return mapped < 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (!std::strcmp(argv[1], "run") && argc > 3) {
    const double start = NowMs();
    const pid_t child = Spawn(argv + 3);
    waitpid(child, nullptr, 0);
    std::printf("%.2f\n", NowMs() - start);
    return 0;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 3;
  if (!std::strcmp(argv[1], "dock") && argc > 3) return Dock(display, argv + 3);
  if (!std::strcmp(argv[1], "popup") && argc == 6)
    return Popup(display, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                 std::atoi(argv[5]));
  if (!std::strcmp(argv[1], "click") && argc == 4) {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    Click(display, std::atoi(argv[2]), std::atoi(argv[3]));
    std::printf("%lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    return 0;
  }
  return 2;
}
