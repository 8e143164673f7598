// The small layer that stands where the Windows toolkit and run-time stood: windows
// built from declarations, the tray icon, message boxes, the file dialog, starting
// programs, the clock and the event loop, the settings store and the start-at-logon
// entry. One backend per OS (Qt, Win32) and an in-memory one for tests.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"
#include "common/twips.h"
#include "platform/window_layout.h"

namespace qv {

class SettingsStore;
class RunEntries;

// The window background, for events that are not over any control.
constexpr int kWindowItself = -1;

enum class MouseEvent { Move, Down, Click };

// The keys a window hears of (others go to its controls alone).
enum class Key { Up, Down, Home, End, Return, Escape };

// Why a window is asked to unload, as the numbers its closing handler has always seen.
enum class UnloadMode : int {
  ByUser = 0,     // close keystroke
  ByProgram = 1,  // the program's own unload
  BySession = 2,  // the desktop session is ending
};

// What a window hears from the platform. Control ids are positions in its WindowLayout.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnMouse(MouseEvent event, int control) = 0;
  // A key pressed while the window itself has the keyboard focus (or that its focused
  // control passed on).
  virtual void OnKey(Key key) = 0;
  // The user or the session asked the window to close.
  virtual void OnCloseRequest(UnloadMode mode) = 0;
};

// A real window built from a declaration. Ids are positions in the declaration.
class Window {
 public:
  virtual ~Window() = default;
  virtual void Show() = 0;  // modeless, no owner
  virtual void Hide() = 0;
  // Unloaded: hidden for good and deaf to events; freed when the object goes.
  virtual void Close() = 0;
  virtual void MakeTopmost() = 0;
  virtual void MoveTo(float leftTwips, float topTwips) = 0;
  virtual void SetText(int control, const std::string& text) = 0;
  virtual std::string Text(int control) const = 0;
  virtual void SetBackColour(int control, Colour colour) = 0;
  virtual void SetEnabled(int control, bool enabled) = 0;
  virtual int Value(int control) const = 0;
  // Check boxes; a change raises the control's Click as if the user had clicked.
  virtual void SetValue(int control, int value) = 0;
  // Lets the platform's own move loop drag the window while the mouse button is down.
  virtual void DragWithMouse() = 0;
};

// Mouse activity over the tray icon, as the Windows mouse message numbers, so the Win32
// backend hands the message through as it comes.
enum class TrayMessage : int {
  MouseMove = 0x200,
  LeftButtonUp = 0x202,  // the two that show the menu
  RightButtonUp = 0x205,
};

class TrayEvents {
 public:
  virtual ~TrayEvents() = default;
  virtual void OnTrayMessage(TrayMessage message) = 0;
  // Another program (the installer, before it replaces or removes QV) asks QV to end as
  // "Exit Velmora" ends it.
  virtual void OnExitRequest() = 0;
  // An entry of the tray's own menu was chosen (see TrayIcon::SetMenu), by its index.
  virtual void OnTrayMenuChoice(int entry) = 0;
};

// An entry of the menu a D-Bus tray host draws itself on a right click.
struct TrayMenuEntry {
  std::string text;          // an empty entry is left out of the drawn menu
  bool startsGroup = false;  // a separator goes above it
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void SetIcon(const std::string& asset) = 0;
  virtual void SetTooltip(const std::string& text) = 0;
  virtual void Add() = 0;
  virtual void Remove() = 0;  // harmless when not added
  // The entries of the menu that hosts which draw an item's menu themselves (xfce4-panel,
  // lxqt-panel, GNOME Shell) show on a right click; a host that sends the click instead,
  // as Windows' and XEmbed trays do, never shows it.
  virtual void SetMenu(const std::vector<TrayMenuEntry>& entries) = 0;
};

// Message box styles and answers, as the Windows numbers.
enum class MessageStyle : int {
  OkOnly = 0,          // OK button, no icon
  YesNoQuestion = 36,  // Yes and No, question icon
};
enum class Answer : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileDialogOptions {
  std::string title;
  std::string filterName;   // one entry
  std::string patterns;     // "*.exe;*.com;*.bat"
  std::string currentFile;  // the dialog opens in its folder, else where programs live
};

// How a started program's window shows, as the Windows number.
enum class WindowStyle : int { NormalFocus = 1 };

class Platform {
 public:
  virtual ~Platform() = default;

  virtual std::unique_ptr<Window> NewWindow(const WindowLayout& layout, WindowEvents& events) = 0;
  virtual std::unique_ptr<TrayIcon> NewTrayIcon(TrayEvents& events) = 0;

  virtual Answer ShowMessage(const std::string& text, MessageStyle style,
                             const std::string& caption) = 0;
  // The chosen file's full path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) = 0;

  // Fire and forget: a built-in tool by its Windows command, or exactly the named file.
  virtual void StartBuiltIn(const std::string& command, WindowStyle style) = 0;
  virtual void StartFile(const std::string& path, WindowStyle style) = 0;

  // Seconds on a clock that never jumps back.
  virtual double Now() = 0;
  // Handles events until the clock reaches the deadline, blocking in between.
  virtual void RunEventsUntil(double deadline) = 0;
  // The monitor the menu belongs on: the one holding the tray icon, else the primary one.
  virtual TwipArea MenuScreen() = 0;
  // Characters in one of the platform's narrow texts (UTF-8 on Linux, ANSI on Windows).
  virtual std::size_t CharacterCount(std::string_view text) const = 0;

  virtual SettingsStore& Store() = 0;
  virtual RunEntries& StartAtLogon() = 0;
  virtual std::string ProgramPath() = 0;

  // Runs the event loop until EndProgram.
  virtual int Exec() = 0;
  // Stops at once: no further handler runs, waits return immediately.
  virtual void EndProgram() = 0;
};

}  // namespace qv
