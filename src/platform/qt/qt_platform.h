// The Qt 6 backend for Linux desktops: QApplication, QSystemTrayIcon, QMessageBox,
// QFileDialog, the INI settings store and the XDG autostart entry. Session end (SIGTERM,
// SIGHUP, SIGINT or the session manager's "die") unloads every window with the session's mode.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

#include "platform/platform.h"
#include "platform/posix/autostart_xdg.h"
#include "platform/posix/store_ini.h"

namespace qv {

class QtWindow;

// Turns the application's Quit event (the session manager's "die") into the end of the
// session, instead of Qt's closing of every window, which QV's windows would refuse.
class QuitFilter final : public QObject {
 public:
  std::function<void()> onQuit;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The tray message for a Qt activation: Qt on X11 reports presses, so a left press counts
// as the left button's release and a context press as the right button's.
TrayMessage TrayMessageFor(QSystemTrayIcon::ActivationReason reason);

// A message box style as Qt's buttons and icon, and Qt's answer back.
struct MessageLook {
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon;
};
MessageLook MessageLookFor(MessageStyle style);
Answer AnswerFor(QMessageBox::StandardButton button);

class QtPlatform final : public Platform {
 public:
  QtPlatform(int& argc, char** argv);
  ~QtPlatform() override;

  std::unique_ptr<Window> NewWindow(const WindowLayout& layout, WindowEvents& events) override;
  std::unique_ptr<TrayIcon> NewTrayIcon(TrayEvents& events) override;
  Answer ShowMessage(const std::string& text, MessageStyle style,
                     const std::string& caption) override;
  std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) override;
  void StartBuiltIn(const std::string& command, WindowStyle style) override;
  void StartFile(const std::string& path, WindowStyle style) override;
  double Now() override;
  void RunEventsUntil(double deadline) override;
  TwipArea MenuScreen() override;
  std::size_t CharacterCount(std::string_view text) const override;
  SettingsStore& Store() override { return store_; }
  RunEntries& StartAtLogon() override { return autostart_; }
  std::string ProgramPath() override;
  int Exec() override;
  void EndProgram() override;

  // Unloads every window, newest first, with the session's unload mode.
  void EndSession();
  void Forget(QtWindow* window);

 private:
  void WatchSessionManager();
  void WatchTerminationSignals();

  QApplication application_;
  QuitFilter sessionEnd_;
  IniSettingsStore store_;
  XdgAutostart autostart_;
  std::vector<QtWindow*> windows_;
  QPointer<QSystemTrayIcon> trayIcon_;
  bool ending_ = false;
};

}  // namespace qv
