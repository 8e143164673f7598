// In-process figures:
//   inproc hover-headless N   N mouse moves between two menu entries on the headless
//                             backend (run under callgrind for instructions per event)
//   inproc hover-qt N         the same on Qt (offscreen), each move a real QMouseEvent
//   inproc qt                 on Qt (offscreen): microseconds per mouse move, labels
//                             repainted per move, CPU used by TimeOut(0.5), and the time a
//                             save takes until every key is on disk
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QMouseEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/app.h"
#include "headless/headless_platform.h"
#include "menu/menu_window.h"
#include "platform/posix/launch_posix.h"
#include "platform/posix/store_ini.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"

using namespace qv;

namespace {

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int HoverHeadless(int moves) {
  HeadlessPlatform platform;
  platform.store.Set("show", "no");
  App app(platform);
  app.Load<MenuWindow>();
  HeadlessWindow& menu = *platform.Find("MenuWindow");
  for (int i = 0; i < moves; ++i) menu.MouseMove("menu1", 3 + (i & 1));
  return 0;
}

// Qt on the offscreen platform, with its settings in a scratch folder of that name.
std::string OffscreenWithScratchSettings(const char* name) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string home = std::filesystem::temp_directory_path() / name;
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  return home;
}

// Starts QV on the platform and pops its menu up; the menu's top-level widget.
QWidget* ShownMenu(QtPlatform& platform, App& app) {
  platform.Store().Write("qv", "qv", "show", "no");
  app.Load<MenuWindow>();
  app.menu().OnTrayMessage(TrayMessage::LeftButtonUp);
  QApplication::processEvents();
  return static_cast<QtWindow&>(app.menu().window()).Top();
}

int HoverQt(int argc, char** argv, int moves) {
  const std::string home = OffscreenWithScratchSettings("qv-bench-hover");
  QtPlatform platform(argc, argv);
  App app(platform);
  QWidget* top = ShownMenu(platform, app);
  QWidget* rows[] = {top->findChild<QWidget*>("menu1(3)"), top->findChild<QWidget*>("menu1(4)")};
  for (int i = 0; i < moves; ++i) {
    QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(rows[i & 1], &event);
  }
  std::filesystem::remove_all(home);
  return 0;
}

// Records when the last key of a save reached the disk.
class TimedStore final : public SettingsStore {
 public:
  explicit TimedStore(SettingsStore& inner) : inner_(inner) {}
  std::string Read(std::string_view a, std::string_view s, std::string_view k,
                   std::string_view d) override {
    return inner_.Read(a, s, k, d);
  }
  bool Write(std::string_view a, std::string_view s, std::string_view k,
             std::string_view v) override {
    const bool ok = inner_.Write(a, s, k, v);
    lastWrite = Seconds();
    return ok;
  }
  void Hold() override { inner_.Hold(); }
  void Discard() override { inner_.Discard(); }
  bool Commit() override {
    const bool ok = inner_.Commit();
    lastWrite = Seconds();
    return ok;
  }
  double lastWrite = 0;

 private:
  SettingsStore& inner_;
};

double SaveMilliseconds() {
  const std::string home = std::filesystem::temp_directory_path() / "qv-bench-save";
  std::filesystem::remove_all(home);
  IniSettingsStore disk(home);
  TimedStore timed(disk);
  HeadlessPlatform platform;
  platform.storeInUse = &timed;
  platform.store.Set("show", "no");
  timed.Write("qv", "qv", "show", "no");
  App app(platform);
  app.Load<MenuWindow>();
  platform.Find("MenuWindow")->Click("Closer", 2);
  const double start = Seconds();
  platform.Find("SettingsWindow")->Click("Sett", 0);
  std::filesystem::remove_all(home);
  return (timed.lastWrite - start) * 1000;
}

// From asking for a program to its first instruction, as the marker records it.
double StartMilliseconds(const std::string& marker) {
  const std::string ran = marker + ".ran";
  std::filesystem::remove(ran);
  timespec sent;
  clock_gettime(CLOCK_MONOTONIC, &sent);
  StartDetached({marker});
  for (int i = 0; i < 2000 && !std::filesystem::exists(ran); ++i) usleep(500);
  usleep(2000);
  long long started = 0;
  if (FILE* in = std::fopen(ran.c_str(), "r")) {
    if (std::fscanf(in, "%lld", &started) != 1) started = 0;
    std::fclose(in);
  }
  return (started - (sent.tv_sec * 1000000000LL + sent.tv_nsec)) / 1e6;
}

int QtFigures(int argc, char** argv) {
  const std::string home = OffscreenWithScratchSettings("qv-bench-qt");
  QtPlatform platform(argc, argv);
  App app(platform);
  QWidget* top = ShownMenu(platform, app);
  auto* rows = new QWidget* [2] {
    top->findChild<QWidget*>("menu1(3)"), top->findChild<QWidget*>("menu1(4)")
  };
  auto move = [&](QWidget* row) {
    QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), row->mapToGlobal(QPointF(3, 3)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(row, &event);
  };
  auto paints = [&] {
    int total = 0;
    for (QWidget* widget : top->findChildren<QWidget*>())
      if (auto* label = dynamic_cast<LabelWidget*>(widget)) total += label->Paints();
    return total;
  };
  const int moves = 20000;
  double start = Seconds();
  for (int i = 0; i < moves; ++i) move(rows[i & 1]);
  const double handlerUs = (Seconds() - start) / moves * 1e6;
  start = Seconds();
  for (int i = 0; i < 2000; ++i) {
    move(rows[i & 1]);
    QApplication::processEvents();
  }
  const double paintedUs = (Seconds() - start) / 2000 * 1e6;
  move(rows[0]);
  QApplication::processEvents();
  int before = paints();
  move(rows[0]);
  QApplication::processEvents();
  const int sameRow = paints() - before;
  before = paints();
  move(rows[1]);
  QApplication::processEvents();
  const int nextRow = paints() - before;
  const double cpu = CpuSeconds();
  const double wall = Seconds();
  app.TimeOut(0.5);
  const double timeoutCpuMs = (CpuSeconds() - cpu) * 1000;
  const double timeoutWallMs = (Seconds() - wall) * 1000;
  std::printf("hover_us %.3f\nhover_painted_us %.3f\nrepaints_same_row %d\n", handlerUs, paintedUs,
              sameRow);
  std::printf("repaints_next_row %d\ntimeout_cpu_ms %.3f\ntimeout_wall_ms %.1f\n", nextRow,
              timeoutCpuMs, timeoutWallMs);
  std::printf("save_ms %.3f\n", SaveMilliseconds());
  if (const char* marker = std::getenv("BENCH_MARKER"))
    std::printf("start_ms %.3f\n", StartMilliseconds(marker));
  delete[] rows;
  std::filesystem::remove_all(home);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && !std::strcmp(argv[1], "hover-headless"))
    return HoverHeadless(std::atoi(argv[2]));
  if (argc >= 3 && !std::strcmp(argv[1], "hover-qt"))
    return HoverQt(argc, argv, std::atoi(argv[2]));
  if (argc >= 2 && !std::strcmp(argv[1], "qt")) return QtFigures(argc, argv);
  std::fprintf(stderr, "usage: inproc hover-headless N | inproc hover-qt N | inproc qt\n");
  return 2;
}
