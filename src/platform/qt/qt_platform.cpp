// The Qt backend's services. TimeOut waits in a nested event loop with a precise timer,
// so the process sleeps until an event or the deadline arrives.
#include "platform/qt/qt_platform.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QCursor>
#include <QEventLoop>
#include <QFileDialog>
#include <QProxyStyle>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "common/text_length.h"
#include "platform/posix/launch_posix.h"
#include "platform/qt/program_dialog.h"
#include "platform/qt/qt_tray.h"
#include "platform/qt/qt_widgets.h"
#include "platform/qt/qt_window.h"
#include "platform/session_end.h"

static void InitialiseAssets() {
  Q_INIT_RESOURCE(assets);
}

namespace qv {
namespace {

int signalSocket[2] = {-1, -1};

void OnTerminationSignal(int) {
  char byte = 1;
  ssize_t ignored = write(signalSocket[0], &byte, 1);
  (void)ignored;
}

// Password boxes show "#" for every character, whatever the desktop's style prefers.
class HashPasswordStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '#';
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace

TrayMessage TrayMessageFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:  // a quick second click still ends with the button up
      return TrayMessage::LeftButtonUp;
    case QSystemTrayIcon::Context:
      return TrayMessage::RightButtonUp;
    default:
      return TrayMessage::MouseMove;
  }
}

MessageLook MessageLookFor(MessageStyle style) {
  if (style == MessageStyle::YesNoQuestion)
    return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Question};
  return {QMessageBox::Ok, QMessageBox::NoIcon};
}

Answer AnswerFor(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;  // closed without a button
  }
}

QtPlatform::QtPlatform(int& argc, char** argv) : application_(argc, argv) {
  InitialiseAssets();
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setStyle(new HashPasswordStyle);
  QApplication::setApplicationName("qv");
  WatchSessionManager();
  WatchTerminationSignals();
}

QtPlatform::~QtPlatform() = default;

bool QuitFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Quit || watched != QCoreApplication::instance()) return false;
  if (onQuit) onQuit();
  return true;
}

// "Save your data" may be followed by a cancelled logout, so QV lives on through it; the
// session really ends with Quit (the session manager's "die"). QV is started again by
// its autostart entry, never by the session's restore, which would start it twice.
void QtPlatform::WatchSessionManager() {
  auto neverRestart = [](QSessionManager& manager) {
    manager.setRestartHint(QSessionManager::RestartNever);
  };
  QObject::connect(&application_, &QGuiApplication::commitDataRequest, neverRestart);
  QObject::connect(&application_, &QGuiApplication::saveStateRequest, neverRestart);
  application_.installEventFilter(&sessionEnd_);
  sessionEnd_.onQuit = [this] { EndSession(); };
}

void QtPlatform::WatchTerminationSignals() {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0) return;
  auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, &application_);
  QObject::connect(notifier, &QSocketNotifier::activated, [this] {
    char byte;
    ssize_t ignored = read(signalSocket[1], &byte, 1);
    (void)ignored;
    EndSession();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGHUP, SIGINT}) sigaction(s, &action, nullptr);
}

std::unique_ptr<Window> QtPlatform::NewWindow(const WindowLayout& layout, WindowEvents& events) {
  auto window = std::make_unique<QtWindow>(layout, events, this);
  windows_.push_back(window.get());
  return window;
}

void QtPlatform::Forget(QtWindow* window) {
  std::erase(windows_, window);
}

std::unique_ptr<TrayIcon> QtPlatform::NewTrayIcon(TrayEvents& events) {
  auto tray = std::make_unique<QtTray>(events);
  tray->onMade = [this](QSystemTrayIcon* icon) { trayIcon_ = icon; };
  return tray;
}

Answer QtPlatform::ShowMessage(const std::string& text, MessageStyle style,
                               const std::string& caption) {
  const MessageLook look = MessageLookFor(style);
  QMessageBox box(look.icon, QString::fromUtf8(caption.c_str()), QString::fromUtf8(text.c_str()),
                  look.buttons);
  box.setObjectName("MessageBox");
  // The settings window stays on top; its messages must not hide behind it.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  return AnswerFor(box.standardButton(box.clickedButton()));
}

std::optional<std::string> QtPlatform::OpenFileDialog(const FileDialogOptions& options) {
  auto dialog = MakeProgramDialog(options, QApplication::activeWindow());
  dialog->setPalette(QApplication::palette());  // the desktop's, not QV's windows' own
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().first().toUtf8().toStdString();
}

void QtPlatform::StartBuiltIn(const std::string& command, WindowStyle) {
  const char* path = std::getenv("PATH");
  std::vector<std::string> line = BuiltInCommandLine(command, path ? path : "/usr/bin:/bin");
  if (!line.empty()) StartDetached(line);
}

// No message box for a slot that does not start, but one line for the journal, as
// desktop programs leave one: the user who asks why an entry does nothing finds it there.
void QtPlatform::StartFile(const std::string& path, WindowStyle) {
  int error = 0;
  if (!StartDetached({path}, &error))
    std::fprintf(stderr, "qv: could not start \"%s\": %s\n", path.c_str(),
                 WhyNotStarted(path, error).c_str());
}

double QtPlatform::Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtPlatform::RunEventsUntil(double deadline) {
  for (double left = deadline - Now(); left > 0 && !ending_; left = deadline - Now()) {
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(std::ceil(left * 1000)));
    loop.exec();
  }
}

// X11 desktops put monitors anywhere, the primary one too: the menu goes in the corner
// of the monitor that holds the icon, where an XEmbed tray shows it, or, as a D-Bus tray
// tells Qt no place, where the click on it was (the pointer has not moved since).
TwipArea QtPlatform::MenuScreen() {
  QScreen* screen = nullptr;
  if (trayIcon_ && trayIcon_->geometry().isValid())
    screen = QGuiApplication::screenAt(trayIcon_->geometry().center());
  else if (trayIcon_)
    screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen->geometry();
  auto twips = [](int pixels) { return static_cast<float>(pixels * kTwipsPerPixel); };
  return {twips(area.x()), twips(area.y()), twips(area.width()), twips(area.height())};
}

std::size_t QtPlatform::CharacterCount(std::string_view text) const {
  return Utf8CharacterCount(text);
}

std::string QtPlatform::ProgramPath() {
  return QCoreApplication::applicationFilePath().toUtf8().toStdString();
}

int QtPlatform::Exec() {
  return ending_ ? 0 : QApplication::exec();
}

void QtPlatform::EndProgram() {
  ending_ = true;
  QCoreApplication::exit(0);  // leaves every running event loop, nested ones too
}

void QtPlatform::EndSession() {
  CloseNewestFirst(windows_, ending_);
  EndProgram();
}

}  // namespace qv
