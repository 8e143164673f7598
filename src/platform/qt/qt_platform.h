// The Qt 6 backend for Linux desktops: QApplication, QSystemTrayIcon, QMessageBox,
// QFileDialog, the INI settings store and the XDG autostart entry. Session end (SIGTERM,
// SIGHUP, SIGINT or the session manager) unloads every window with the session's mode.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <memory>

#include "platform/platform.h"
#include "settings/run_entry_xdg.h"
#include "settings/store_qt.h"

namespace qv {

class QtWindow;

// The Windows mouse message for a tray activation: Trigger 514, Context 517,
// DoubleClick 515, MiddleClick 520.
int TrayCodeFor(QSystemTrayIcon::ActivationReason reason);

// Maps a message box style number to Qt's buttons and icon, and Qt's answer back.
struct MessageStyle {
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon;
};
MessageStyle MessageStyleFor(int style);
int AnswerFor(QMessageBox::StandardButton button);

class QtPlatform final : public Platform {
 public:
  QtPlatform(int& argc, char** argv);
  ~QtPlatform() override;

  std::unique_ptr<Window> NewWindow(const WindowLayout& layout, WindowEvents& events) override;
  std::unique_ptr<TrayIcon> NewTrayIcon(TrayEvents& events) override;
  int ShowMessage(const std::string& text, int style, const std::string& caption) override;
  std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) override;
  void StartBuiltIn(const std::string& command, int windowStyle) override;
  void StartFile(const std::string& path, int windowStyle) override;
  double Now() override;
  void RunEventsUntil(double deadline) override;
  TwipSize ScreenSize() override;
  SettingsStore& Store() override { return store_; }
  RunEntries& StartAtLogon() override { return autostart_; }
  std::string ProgramPath() override;
  int Exec() override;
  void EndProgram() override;

  // Unloads every window, newest first, with the session's unload mode.
  void EndSession();
  void Forget(QtWindow* window);

 private:
  void WatchTerminationSignals();

  QApplication application_;
  IniSettingsStore store_;
  XdgAutostart autostart_;
  std::vector<QtWindow*> windows_;
  bool ending_ = false;
};

}  // namespace qv
