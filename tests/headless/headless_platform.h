// The in-memory backend. It keeps every control's state, records everything asked of the
// platform (programs started, message boxes, store and start-at-logon writes, the tray
// icon), lets a test raise any event as a user would, and scripts the answers of message
// boxes and file dialogs and what happens while TimeOut waits. No display needed.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "settings/run_entry.h"
#include "settings/store.h"

namespace qv {

class HeadlessPlatform;

struct ControlState {
  std::string text;
  Colour back = 0;
  bool enabled = true;
  int value = 0;
};

class HeadlessWindow final : public Window {
 public:
  HeadlessWindow(HeadlessPlatform& platform, const WindowLayout& layout, WindowEvents& events);
  ~HeadlessWindow() override;

  void Show() override {
    visible = true;
    shownAt = {left, top};
  }
  void Hide() override { visible = false; }
  void Close() override;
  void MakeTopmost() override { topmost = true; }
  void MoveTo(float leftTwips, float topTwips) override;
  void SetText(int control, const std::string& text) override;
  std::string Text(int control) const override;
  void SetBackColour(int control, Colour colour) override;
  void SetEnabled(int control, bool enabled) override;
  int Value(int control) const override;
  void SetValue(int control, int value) override;
  void DragWithMouse() override { ++drags; }

  // What a user does; name "" is the window background. Events reach a closed window no more.
  void MouseMove(const std::string& name, int index = kNoIndex);
  void MouseDown(const std::string& name, int index = kNoIndex);
  // A label's click; a check box also flips its tick first, as a real click does.
  void Click(const std::string& name, int index = kNoIndex);
  // Typing replaces the text, unless the box is disabled or read-only; the box's length
  // limit applies.
  void Type(const std::string& name, int index, const std::string& text);
  void PressCloseKey() { RequestClose(UnloadMode::ByUser); }
  void PressKey(Key key) {
    if (!closed) events_.OnKey(key);
  }
  void RequestClose(UnloadMode mode);

  const ControlState& State(const std::string& name, int index = kNoIndex) const;
  Colour Back(const std::string& name, int index = kNoIndex) const {
    return State(name, index).back;
  }
  std::string TextOf(const std::string& name, int index = kNoIndex) const {
    return State(name, index).text;
  }

  const WindowLayout& layout;
  bool visible = false;
  bool topmost = false;
  bool closed = false;
  float left = 0, top = 0;                  // twips
  std::pair<float, float> shownAt{-1, -1};  // where it stood when last shown
  int moves = 0;
  int drags = 0;

 private:
  int IdOf(const std::string& name, int index) const;

  HeadlessPlatform& platform_;
  WindowEvents& events_;
  std::vector<ControlState> controls_;
};

// The notification-area icon as the desktop would show it.
struct TrayState {
  std::string icon, tooltip;
  bool present = false;
  int removes = 0;
  std::vector<TrayMenuEntry> menu;  // what a host that draws the menu itself would show
};

class HeadlessStore final : public SettingsStore {
 public:
  std::string Read(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view fallback = {}) override;
  bool Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;
  // Held writes are kept in order and applied at Commit, unless the commit fails.
  void Hold() override { holding_ = true; }
  bool Commit() override;
  void Discard() override;

  // Test access with application and section "qv".
  std::optional<std::string> Get(const std::string& key) const;
  void Set(const std::string& key, const std::string& value) {
    values[Path(kApp, kSection, key)] = value;
  }

  std::map<std::string, std::string> values;  // "app/section/key"
  std::vector<std::string> writtenKeys;       // in order, successful writes only
  int writesBeforeFailure = -1;               // -1 never fails; 0 fails from now on
  bool commitsFail = false;                   // a full disk: every commit fails

 private:
  bool holding_ = false;
  std::vector<std::pair<std::string, std::string>> held_;  // key, value
  static std::string Path(std::string_view app, std::string_view section, std::string_view key);
};

class HeadlessRunEntries final : public RunEntries {
 public:
  bool SaveRunValue(std::string_view name, std::string_view programPath) override;
  bool DeleteRunValue(std::string_view name) override;
  bool HasRunValue(std::string_view name) override { return entries.count(std::string(name)); }
  // As on Linux: the file name.
  std::string RunValueNameOf(std::string_view programPath) const override;

  std::map<std::string, std::string> entries;
  std::vector<std::string> calls;  // "save name" / "delete name"
  bool failing = false;
};

struct StartedProgram {
  bool builtIn = false;
  std::string command;  // the built-in's command or the file's path
  WindowStyle windowStyle{};
};

struct ShownMessage {
  std::string text;
  MessageStyle style{};
  std::string caption;
};

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  std::unique_ptr<Window> NewWindow(const WindowLayout& layout, WindowEvents& events) override;
  std::unique_ptr<TrayIcon> NewTrayIcon(TrayEvents& events) override;
  Answer ShowMessage(const std::string& text, MessageStyle style,
                     const std::string& caption) override;
  std::optional<std::string> OpenFileDialog(const FileDialogOptions& options) override;
  void StartBuiltIn(const std::string& command, WindowStyle style) override;
  void StartFile(const std::string& path, WindowStyle style) override;
  double Now() override { return clock; }
  void RunEventsUntil(double deadline) override;
  TwipArea MenuScreen() override { return screen; }
  std::size_t CharacterCount(std::string_view text) const override;
  SettingsStore& Store() override { return *storeInUse; }
  RunEntries& StartAtLogon() override { return *runEntriesInUse; }
  std::string ProgramPath() override { return programPath; }
  // The event loop: runs what the test scripted for it, then returns.
  int Exec() override {
    if (duringExec) duringExec();
    return 0;
  }
  void EndProgram() override { ended = true; }

  // The newest loaded window of that name, or nullptr.
  HeadlessWindow* Find(const std::string& name) const;
  // The same, where the test needs it there: a missing window fails the test (gtest reports
  // the exception) instead of crashing it.
  HeadlessWindow& Loaded(const std::string& name) const;
  // Every window not yet unloaded, oldest first.
  std::vector<HeadlessWindow*> OpenWindows() const;
  // Mouse activity over the tray icon.
  void TrayMessage(qv::TrayMessage message);
  void ChooseTrayMenuEntry(int entry);
  void ExitRequest();  // as the installer asks
  // The desktop session ends: every window is asked to close, newest first.
  void EndSession();

  HeadlessStore store;
  HeadlessRunEntries runEntries;
  // What the windows use: the in-memory ones, or a real store or entry list under test.
  SettingsStore* storeInUse = &store;
  RunEntries* runEntriesInUse = &runEntries;
  std::string programPath = "/opt/qv/qv";
  TwipArea screen{0, 0, 1024 * 15, 768 * 15};  // the monitor holding the tray icon
  TrayState tray;
  bool utf8 = true;  // narrow texts are UTF-8, as on Linux; false: ANSI, as on Windows
  double clock = 1000;
  bool ended = false;

  std::vector<StartedProgram> started;
  std::vector<ShownMessage> messages;
  std::vector<FileDialogOptions> dialogs;
  std::vector<double> waits;  // durations asked of RunEventsUntil
  // Scripted answers, first in first out. Unscripted: OK, No, and a cancelled dialog.
  std::deque<Answer> messageAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  // What the user does while a message box is up, or while the clock runs to a deadline.
  std::deque<std::function<void()>> duringMessage;
  std::deque<std::function<void()>> duringWait;
  std::function<void()> duringExec;

 private:
  friend class HeadlessWindow;
  std::vector<HeadlessWindow*> windows_;
  TrayEvents* trayEvents_ = nullptr;
};

}  // namespace qv
