// The floor: the least a Qt 6 tray launcher can be. A tray icon, and a frameless
// 151 x 256 window shown on activation and hidden when clicked; single instance by a
// lock taken first, as a careful program would, before any connection to the display.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>
#include <cstdlib>
#include <string>

class Menu final : public QWidget {
 public:
  Menu() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint) {
    setFixedSize(151, 256);
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
  void mouseReleaseEvent(QMouseEvent*) override { hide(); }
};

int main(int argc, char** argv) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string lock = std::string(runtime ? runtime : "/tmp") + "/qv-floor.lock";
  if (flock(open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600), LOCK_EX | LOCK_NB) != 0)
    return 0;
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  Menu menu;
  QSystemTrayIcon icon(QIcon(QPixmap(":/assets/qv.png")));
  QObject::connect(&icon, &QSystemTrayIcon::activated, [&] {
    menu.move(menu.screen()->geometry().bottomRight() - QPoint(164, 269));
    menu.show();
  });
  icon.show();
  return app.exec();
}
