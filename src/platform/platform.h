// The small layer that stands where the Windows toolkit and run-time stood: windows
// built from declarations, the tray icon, message boxes, the file dialog, starting
// programs, the clock and the event loop, the settings store and the start-at-logon
// entry. One backend per OS (Qt, Win32) and an in-memory one for tests.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/colour.h"
#include "common/twips.h"
#include "platform/window_layout.h"

namespace qv {

class SettingsStore;
class RunEntries;

// The window background, for events that are not over any control.
constexpr int kWindowItself = -1;

enum class MouseEvent { Move, Down, Click };

// Unload modes handed to a window's closing handler.
constexpr int kUnloadByUser = 0;     // close keystroke
constexpr int kUnloadByProgram = 1;  // the program's own unload
constexpr int kUnloadBySession = 2;  // the desktop session is ending

// What a window hears from the platform. Control ids are positions in its WindowLayout.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnMouse(MouseEvent event, int control) = 0;
  // The user or the session asked the window to close.
  virtual void OnCloseRequest(int unloadMode) = 0;
};

// A real window built from a declaration. Ids are positions in the declaration.
class Window {
 public:
  virtual ~Window() = default;
  virtual void Show() = 0;  // modeless, no owner
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
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

class TrayEvents {
 public:
  virtual ~TrayEvents() = default;
  // The Windows mouse message code for activity over the icon (514 left button up, ...).
  virtual void OnTrayMessage(int code) = 0;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void SetIcon(const std::string& asset) = 0;
  virtual void SetTooltip(const std::string& text) = 0;
  virtual void Add() = 0;
  virtual void Remove() = 0;  // harmless when not added
};

// Message box styles and answers, as the Windows numbers.
constexpr int kOkOnly = 0;
constexpr int kYesNoQuestion = 36;
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

struct FileDialogOptions {
  std::string title;
  std::string filterName;  // one entry
  std::string patterns;    // "*.exe;*.com;*.bat"
};

constexpr int kNormalFocus = 1;  // window style of every started program

class Platform {
 public:
  virtual ~Platform() = default;

  virtual std::unique_ptr<Window> NewWindow(const WindowLayout& layout, WindowEvents& events) = 0;
  virtual std::unique_ptr<TrayIcon> NewTrayIcon(TrayEvents& events) = 0;

  virtual int ShowMessage(const std::string& text, int style, const std::string& caption) = 0;
  // The chosen file's full path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) = 0;

  // Fire and forget: a built-in tool by its Windows command, or exactly the named file.
  virtual void StartBuiltIn(const std::string& command, int windowStyle) = 0;
  virtual void StartFile(const std::string& path, int windowStyle) = 0;

  // Seconds on a clock that never jumps back.
  virtual double Now() = 0;
  // Handles events until the clock reaches the deadline, blocking in between.
  virtual void RunEventsUntil(double deadline) = 0;
  virtual TwipSize ScreenSize() = 0;

  virtual SettingsStore& Store() = 0;
  virtual RunEntries& StartAtLogon() = 0;
  virtual std::string ProgramPath() = 0;

  // Runs the event loop until EndProgram.
  virtual int Exec() = 0;
  // Stops at once: no further handler runs, waits return immediately.
  virtual void EndProgram() = 0;
};

}  // namespace qv
