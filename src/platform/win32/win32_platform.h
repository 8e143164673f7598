// The Win32 backend: the tray icon through Shell_NotifyIconW (added again when Explorer
// restarts), MessageBoxW, GetOpenFileNameW, CreateProcessW, the registry store and Run
// entry, and a message loop that sleeps in MsgWaitForMultipleObjects while TimeOut waits.
// Texts are UTF-8 inside QV and UTF-16 at every call.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/platform.h"
#include "platform/win32/run_key.h"
#include "platform/win32/store_registry.h"

namespace qv {

class Win32Window;

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;

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
  RunEntries& StartAtLogon() override { return runEntries_; }
  std::string ProgramPath() override;
  int Exec() override;
  void EndProgram() override;

  int Dpi() const { return dpi_; }
  // Unloads every window, newest first, with the session's unload mode.
  void EndSession();
  void Forget(Win32Window* window);

 private:
  bool PumpPendingMessages();  // false once WM_QUIT arrived

  RegistryStore store_;
  RegistryRunEntries runEntries_;
  std::vector<Win32Window*> windows_;
  int dpi_ = 96;
  HWND trayWindow_ = nullptr;  // the icon's window, to find the monitor it is on
  bool ending_ = false;
};

// Where the program picker opens: the folder of the slot's current program, else
// Program Files.
std::string ProgramDialogFolder(const std::string& currentFile);

// Starts exactly one program file: its path is the application name, never parsed.
bool StartProgramFile(const std::string& path, WindowStyle style);

}  // namespace qv
