// The in-memory backend's behaviour: controls keep their state as a real toolkit would
// (check boxes raise Click when their value changes, length limits, read-only boxes).
#include "headless/headless_platform.h"

#include <algorithm>
#include <stdexcept>

#include "common/text_length.h"
#include "platform/session_end.h"

namespace qv {
namespace {

class HeadlessTray final : public TrayIcon {
 public:
  HeadlessTray(TrayState& state, TrayEvents*& events) : state_(state), events_(events) {}
  ~HeadlessTray() override { events_ = nullptr; }
  void SetIcon(const std::string& asset) override { state_.icon = asset; }
  void SetTooltip(const std::string& text) override { state_.tooltip = text; }
  void Add() override { state_.present = true; }
  void SetMenu(const std::vector<TrayMenuEntry>& entries) override { state_.menu = entries; }
  void Remove() override {
    if (state_.present) ++state_.removes;
    state_.present = false;
  }

 private:
  TrayState& state_;
  TrayEvents*& events_;
};

template <class T>
T TakeFront(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

void RunNext(std::deque<std::function<void()>>& actions) {
  if (auto action = TakeFront(actions, std::function<void()>{})) action();
}

}  // namespace

// --- windows -------------------------------------------------------------------------

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowLayout& layout,
                               WindowEvents& events)
    : layout(layout), platform_(platform), events_(events), controls_(layout.controls.size()) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    controls_[i].text = layout.controls[i].text;
    controls_[i].back = layout.controls[i].look & kWhiteBack ? kWhite : kDefaultHover;
  }
  platform_.windows_.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
  auto& all = platform_.windows_;
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void HeadlessWindow::Close() {
  visible = false;
  closed = true;
}

void HeadlessWindow::MoveTo(float leftTwips, float topTwips) {
  left = leftTwips, top = topTwips;
  ++moves;
}

void HeadlessWindow::SetText(int control, const std::string& text) {
  const int limit = layout.controls.at(control).maxLength;
  controls_.at(control).text = limit > 0 ? text.substr(0, limit) : text;
}

std::string HeadlessWindow::Text(int control) const {
  return controls_.at(control).text;
}

void HeadlessWindow::SetBackColour(int control, Colour colour) {
  controls_.at(control).back = colour;
}

void HeadlessWindow::SetEnabled(int control, bool enabled) {
  controls_.at(control).enabled = enabled;
}

int HeadlessWindow::Value(int control) const {
  return controls_.at(control).value;
}

void HeadlessWindow::SetValue(int control, int value) {
  ControlState& state = controls_.at(control);
  if (state.value == value) return;
  state.value = value;
  events_.OnMouse(MouseEvent::Click, control);
}

int HeadlessWindow::IdOf(const std::string& name, int index) const {
  if (name.empty()) return kWindowItself;
  const int id = layout.Find(name, index);
  if (id < 0)
    throw std::out_of_range("no control " + name + std::string("(") + std::to_string(index) + ")");
  return id;
}

void HeadlessWindow::MouseMove(const std::string& name, int index) {
  if (!closed) events_.OnMouse(MouseEvent::Move, IdOf(name, index));
}

void HeadlessWindow::MouseDown(const std::string& name, int index) {
  if (!closed) events_.OnMouse(MouseEvent::Down, IdOf(name, index));
}

void HeadlessWindow::Click(const std::string& name, int index) {
  if (closed) return;
  const int id = IdOf(name, index);
  if (id >= 0 && layout.controls[id].kind == ControlKind::CheckBox) {
    if (controls_[id].enabled) SetValue(id, controls_[id].value == 0 ? 1 : 0);
    return;
  }
  events_.OnMouse(MouseEvent::Click, id);
}

void HeadlessWindow::Type(const std::string& name, int index, const std::string& text) {
  const int id = IdOf(name, index);
  if (closed || !controls_[id].enabled || layout.controls[id].look & kReadOnly) return;
  SetText(id, text);
}

void HeadlessWindow::RequestClose(UnloadMode mode) {
  if (!closed) events_.OnCloseRequest(mode);
}

const ControlState& HeadlessWindow::State(const std::string& name, int index) const {
  return controls_.at(IdOf(name, index));
}

// --- store and start-at-logon entries ----------------------------------------------------

std::string HeadlessStore::Path(std::string_view app, std::string_view section,
                                std::string_view key) {
  return std::string(app) + "/" + std::string(section) + "/" + std::string(key);
}

std::string HeadlessStore::Read(std::string_view app, std::string_view section,
                                std::string_view key, std::string_view fallback) {
  const std::string path = Path(app, section, key);
  for (auto held = held_.rbegin(); held != held_.rend(); ++held)
    if (held->first == path) return held->second;
  auto found = values.find(path);
  return found == values.end() ? std::string(fallback) : found->second;
}

bool HeadlessStore::Write(std::string_view app, std::string_view section, std::string_view key,
                          std::string_view value) {
  if (writesBeforeFailure == 0) return false;
  if (writesBeforeFailure > 0) --writesBeforeFailure;
  held_.emplace_back(Path(app, section, key), value);
  return holding_ || Commit();
}

bool HeadlessStore::Commit() {
  holding_ = false;
  std::vector<std::pair<std::string, std::string>> held;
  held.swap(held_);
  if (commitsFail) return false;
  for (auto& [path, value] : held) {
    writtenKeys.push_back(path.substr(path.rfind('/') + 1));
    values[path] = std::move(value);
  }
  return true;
}

void HeadlessStore::Discard() {
  holding_ = false;
  held_.clear();
}

std::optional<std::string> HeadlessStore::Get(const std::string& key) const {
  auto found = values.find(Path(kApp, kSection, key));
  if (found == values.end()) return std::nullopt;
  return found->second;
}

bool HeadlessRunEntries::SaveRunValue(std::string_view name, std::string_view programPath) {
  calls.push_back("save " + std::string(name));
  if (failing) return false;
  entries[std::string(name)] = std::string(programPath);
  return true;
}

std::string HeadlessRunEntries::RunValueNameOf(std::string_view programPath) const {
  return FileNameOf(programPath, '/');
}

bool HeadlessRunEntries::DeleteRunValue(std::string_view name) {
  calls.push_back("delete " + std::string(name));
  if (failing) return false;
  entries.erase(std::string(name));
  return true;
}

// --- platform ---------------------------------------------------------------------------

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

std::unique_ptr<Window> HeadlessPlatform::NewWindow(const WindowLayout& layout,
                                                    WindowEvents& events) {
  return std::make_unique<HeadlessWindow>(*this, layout, events);
}

std::unique_ptr<TrayIcon> HeadlessPlatform::NewTrayIcon(TrayEvents& events) {
  trayEvents_ = &events;
  return std::make_unique<HeadlessTray>(tray, trayEvents_);
}

Answer HeadlessPlatform::ShowMessage(const std::string& text, MessageStyle style,
                                     const std::string& caption) {
  messages.push_back({text, style, caption});
  RunNext(duringMessage);
  return TakeFront(messageAnswers, style == MessageStyle::YesNoQuestion ? Answer::No : Answer::Ok);
}

std::optional<std::string> HeadlessPlatform::OpenFileDialog(const FileDialogOptions& options) {
  dialogs.push_back(options);
  return TakeFront(fileAnswers, std::optional<std::string>{});
}

void HeadlessPlatform::StartBuiltIn(const std::string& command, WindowStyle style) {
  started.push_back({true, command, style});
}

void HeadlessPlatform::StartFile(const std::string& path, WindowStyle style) {
  started.push_back({false, path, style});
}

std::size_t HeadlessPlatform::CharacterCount(std::string_view text) const {
  return utf8 ? Utf8CharacterCount(text) : text.size();
}

void HeadlessPlatform::RunEventsUntil(double deadline) {
  if (ended) return;
  waits.push_back(deadline - clock);
  RunNext(duringWait);
  clock = std::max(clock, deadline);
}

HeadlessWindow* HeadlessPlatform::Find(const std::string& name) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->layout.name == name && !(*it)->closed) return *it;
  return nullptr;
}

HeadlessWindow& HeadlessPlatform::Loaded(const std::string& name) const {
  HeadlessWindow* window = Find(name);
  if (!window) throw std::logic_error(name + " is not loaded");
  return *window;
}

std::vector<HeadlessWindow*> HeadlessPlatform::OpenWindows() const {
  std::vector<HeadlessWindow*> open;
  for (HeadlessWindow* window : windows_)
    if (!window->closed) open.push_back(window);
  return open;
}

void HeadlessPlatform::ExitRequest() {
  if (trayEvents_ && !ended) trayEvents_->OnExitRequest();
}

void HeadlessPlatform::ChooseTrayMenuEntry(int entry) {
  if (trayEvents_ && tray.present && !ended) trayEvents_->OnTrayMenuChoice(entry);
}

void HeadlessPlatform::TrayMessage(qv::TrayMessage message) {
  if (trayEvents_ && tray.present && !ended) trayEvents_->OnTrayMessage(message);
}

void HeadlessPlatform::EndSession() {
  CloseNewestFirst(windows_, ended);
  EndProgram();
}

}  // namespace qv
