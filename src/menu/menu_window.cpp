// The menu window's life and entries. Mouse moves arrive for every pointer move over
// the window, so the hover handlers only set colours; the backends skip unchanged ones.
#include "menu/menu_window.h"

#include "app/clickable.h"
#include "settings/codec.h"
#include "windows/password/password_prompt.h"
#include "windows/welcome/welcome_window.h"

namespace qv {

MenuWindow::MenuWindow(App& app) : DeclaredForm(app), tray_(app.platform().NewTrayIcon(*this)) {}

MenuWindow::~MenuWindow() {
  tray_->Remove();
}

void MenuWindow::Form_Initialize() {
  Form_Load();
  app_.colours() = ReadColours(app_.platform().Store(), {kDefaultResting, kDefaultHover});
  PaintAllResting();
  ReadSettings();
}

void MenuWindow::Form_Load() {
  tray_->SetIcon(layout_.icon);
  tray_->SetTooltip(kTooltip);
  tray_->Add();
  app_.keys().FillA();
  app_.keys().FillB();
  if (ReadShowWelcome(app_.platform().Store(), "")) app_.Open<WelcomeWindow>();
}

void MenuWindow::Form_QueryUnload(bool& cancel, UnloadMode mode) {
  if (mode == UnloadMode::ByUser) {
    cancel = true;
    window().Hide();
    return;
  }
  tray_->Remove();
}

void MenuWindow::ReadSettings() {
  SettingsStore& store = app_.platform().Store();
  const KeyTable& a = app_.keys().a;
  for (int n = 1; n <= kSlots; ++n) {
    slotPath_[n] = ReadSlot(store, a, SlotField::Program, n, "");
    slotTitle_[n] = ReadSlot(store, a, SlotField::Title, n, "");
  }
  for (int row = 0; row < kRows; ++row)
    if (kMenuRows[row].action == MenuAction::StartSlot)
      window().SetText(controls_.rows[row], slotTitle_[kMenuRows[row].slot]);
  tray_->SetMenu(TrayMenu());
}

// The same rows, texts and groups as the window, for hosts that draw the menu themselves.
std::vector<TrayMenuEntry> MenuWindow::TrayMenu() const {
  std::vector<TrayMenuEntry> entries;
  for (int row = 0; row < kRows; ++row) {
    const MenuRow& shown = kMenuRows[row];
    const bool slot = shown.action == MenuAction::StartSlot;
    const bool gapAbove = row > 0 && shown.top - kMenuRows[row - 1].top > kRowPitch;
    entries.push_back({slot ? slotTitle_[shown.slot] : shown.text, gapAbove});
  }
  return entries;
}

void MenuWindow::HideMenu() {
  window().Hide();
}

void MenuWindow::OnTrayMessage(TrayMessage message) {
  if (message != TrayMessage::LeftButtonUp && message != TrayMessage::RightButtonUp) return;
  if (!IsLoaded()) return;
  // Placed before it shows, so a hidden menu never flashes at its old place.
  PlaceInCorner();
  window().Show();
  window().MakeTopmost();
}

// The corner of the monitor holding the icon, wherever it lies on the desktop.
void MenuWindow::PlaceInCorner() {
  const TwipArea screen = app_.platform().MenuScreen();
  const float top = screen.top + screen.height - static_cast<float>(kHeight) - kCornerMargin;
  const float left = screen.left + screen.width - static_cast<float>(kWidth) - kCornerMargin;
  window().MoveTo(left, top);
}

void MenuWindow::Choose(int row) {
  const MenuRow& chosen = kMenuRows[row];
  switch (chosen.action) {
    case MenuAction::StartSlot:
      StartSlot(chosen.slot);
      return HideMenu();
    case MenuAction::StartTool:
      app_.platform().StartBuiltIn(chosen.command, WindowStyle::NormalFocus);
      return HideMenu();
    case MenuAction::HideMenu:
      return HideMenu();
    case MenuAction::Exit:
      return ExitProgram();
    case MenuAction::OpenSettings:
      HideMenu();
      app_.Open<PasswordPrompt>();
      if (IsLoaded()) HideMenu();
      return;
  }
}

void MenuWindow::OnExitRequest() {
  if (IsLoaded()) ExitProgram();
}

void MenuWindow::OnTrayMenuChoice(int entry) {
  if (IsLoaded() && entry >= 0 && entry < kRows) Choose(entry);
}

void MenuWindow::ExitProgram() {
  app_.Unload(*this, UnloadMode::ByProgram);  // removes the tray icon, then ends the program
  app_.End();
}

// Started as exactly the file the slot names: never through a shell and never split at
// spaces, so "C:\Program Files\x.exe" cannot start C:\Program.exe.
void MenuWindow::StartSlot(int slot) {
  const std::string& path = slotPath_[slot];
  if (!path.empty() && path != kNoneMarker)
    app_.platform().StartFile(path, WindowStyle::NormalFocus);
}

void MenuWindow::menu1_Click(std::int16_t index) {
  Choose(kRowOfEntry.at(index));
}

void MenuWindow::Closer_Click(std::int16_t index) {
  Choose(kRowOfCloser.at(index));
}

void MenuWindow::Image1_Click() {
  HideMenu();
}

void MenuWindow::menu1_MouseMove(std::int16_t index) {
  Highlight(kRowOfEntry.at(index));
}

void MenuWindow::Closer_MouseMove(std::int16_t index) {
  Highlight(kRowOfCloser.at(index));
}

void MenuWindow::Form_MouseMove() {
  PaintAllResting();
}

void MenuWindow::Image1_MouseMove() {
  PaintAllResting();
}

void MenuWindow::Form_KeyDown(Key key) {
  const int row = highlighted_;
  switch (key) {
    case Key::Down:
      return Highlight(row < 0 ? 0 : (row + 1) % kRows);
    case Key::Up:
      return Highlight(row < 0 ? kRows - 1 : (row + kRows - 1) % kRows);
    case Key::Home:
      return Highlight(0);
    case Key::End:
      return Highlight(kRows - 1);
    case Key::Return:
      if (row >= 0) Choose(row);
      return;
    case Key::Escape:
      return HideMenu();
  }
}

// The row in the hover colour and every other one resting.
void MenuWindow::Highlight(int row) {
  highlighted_ = row;
  PaintGroup(window(), controls_.rows, app_.colours(), row);
}

void MenuWindow::PaintAllResting() {
  highlighted_ = -1;
  PaintGroup(window(), controls_.rows, app_.colours());
}

}  // namespace qv
