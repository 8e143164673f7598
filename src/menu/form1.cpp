// The menu window's life and entries. Mouse moves arrive for every pointer move over
// the window, so the hover handlers only set colours; the backends skip unchanged ones.
#include "menu/form1.h"

#include "app/clickable.h"
#include "settings/codec.h"
#include "windows/password/form3.h"
#include "windows/welcome/form4.h"

namespace qv {
namespace {

// The built-in tools by their Windows commands, menu1(0) to menu1(4).
constexpr const char* kBuiltInCommands[] = {"calc.exe", "notepad.exe", "winipcfg", "scandisk",
                                            "defrag"};
constexpr int kFirstSlotEntry = 5;  // menu1(5) shows slot 1, menu1(11) slot 7

// Rows from the top: menu1(11) down to menu1(0), then Settings, Hide Menu, Exit Velmora.
constexpr int kEntryRows = 12;
constexpr int kCloserOfRow[] = {2, 0, 1};
constexpr int RowOfEntry(int index) {
  return kEntryRows - 1 - index;
}
constexpr int RowOfCloser(int index) {
  return kEntryRows + (index == 2 ? 0 : index + 1);
}

}  // namespace

Form1::Form1(App& app)
    : DeclaredForm(app),
      tray_(app.platform().NewTrayIcon(*this)),
      menu1_(Ids<12>("menu1")),
      closer_(Ids<3>("Closer")) {}

// Form_Terminate: the icon goes with the window object, whatever ended the run.
Form1::~Form1() {
  tray_->Remove();
}

void Form1::Form_Initialize() {
  Form_Load();
  app_.colours() = ReadColours(app_.platform().Store(), {kDefaultResting, kDefaultHover});
  PaintAllResting();
  GetReg();
}

void Form1::Form_Load() {
  tray_->SetIcon(layout_.icon);
  tray_->SetTooltip(kTooltip);
  tray_->Add();
  app_.keys().FillA();
  app_.keys().FillB();
  if (ReadShowWelcome(app_.platform().Store(), "")) app_.Open<Form4>();
}

void Form1::Form_QueryUnload(bool& cancel, UnloadMode mode) {
  if (mode == UnloadMode::ByUser) {
    cancel = true;
    window().Hide();
    return;
  }
  tray_->Remove();
}

void Form1::GetReg() {
  SettingsStore& store = app_.platform().Store();
  const KeyTable& a = app_.keys().a;
  for (int n = 1; n <= kSlots; ++n) {
    slotPath_[n] = ReadSlot(store, a, SlotField::Program, n, "");
    slotTitle_[n] = ReadSlot(store, a, SlotField::Title, n, "");
  }
  for (int n = 1; n <= kSlots; ++n) window().SetText(menu1_[n + 4], slotTitle_[n]);
}

void Form1::TimeOut(double seconds) {
  if (seconds <= 0) return;
  Platform& platform = app_.platform();
  platform.RunEventsUntil(platform.Now() + seconds);
}

void Form1::HideMenu() {
  window().Hide();
}

void Form1::OnTrayMessage(TrayMessage message) {
  if (message != TrayMessage::LeftButtonUp && message != TrayMessage::RightButtonUp) return;
  if (!IsLoaded()) return;
  // Placed before it shows, so a hidden menu never flashes at its old place.
  PlaceInCorner();
  window().Show();
  window().MakeTopmost();
}

// The corner of the monitor holding the icon, wherever it lies on the desktop.
void Form1::PlaceInCorner() {
  const TwipArea screen = app_.platform().MenuScreen();
  const float top = screen.top + screen.height - static_cast<float>(kHeight) - kCornerMargin;
  const float left = screen.left + screen.width - static_cast<float>(kWidth) - kCornerMargin;
  window().MoveTo(left, top);
}

void Form1::menu1_Click(std::int16_t index) {
  Platform& platform = app_.platform();
  if (index >= 0 && index < kFirstSlotEntry) {
    platform.StartBuiltIn(kBuiltInCommands[index], WindowStyle::NormalFocus);
  } else if (index >= kFirstSlotEntry && index < kFirstSlotEntry + kSlots) {
    // Started as exactly the file the slot names: never through a shell and never
    // split at spaces, so "C:\Program Files\x.exe" cannot start C:\Program.exe.
    const std::string& path = slotPath_[index - 4];
    if (!path.empty() && path != kNoneMarker) platform.StartFile(path, WindowStyle::NormalFocus);
  }
  HideMenu();
}

void Form1::Closer_Click(std::int16_t index) {
  switch (index) {
    case 0:
      HideMenu();
      break;
    case 1:
      app_.Unload(*this, UnloadMode::ByProgram);  // removes the tray icon, then ends the program
      app_.End();
      break;
    case 2: {
      HideMenu();
      app_.Open<Form3>();
      if (IsLoaded()) HideMenu();
      break;
    }
    default:
      break;
  }
}

void Form1::Image1_Click() {
  HideMenu();
}

void Form1::menu1_MouseMove(std::int16_t index) {
  highlighted_ = RowOfEntry(index);
  PaintGroup(window(), closer_, app_.colours());
  PaintGroup(window(), menu1_, app_.colours(), index);
}

void Form1::Closer_MouseMove(std::int16_t index) {
  highlighted_ = RowOfCloser(index);
  const ColourTable& colours = app_.colours();
  PaintGroup(window(), menu1_, colours);
  auto paint = [&](int k, bool hover) {
    window().SetBackColour(closer_[k], hover ? colours.hover : colours.resting);
  };
  if (index == 0) {
    paint(0, true), paint(1, false), paint(2, false);
  } else if (index == 1) {
    paint(1, true), paint(0, false), paint(2, false);
  } else {
    paint(1, false), paint(0, false), paint(2, true);
  }
}

void Form1::Form_MouseMove() {
  PaintAllResting();
}

void Form1::Image1_MouseMove() {
  PaintAllResting();
}

void Form1::Form_KeyDown(Key key) {
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
      if (row >= kEntryRows) return Closer_Click(kCloserOfRow[row - kEntryRows]);
      if (row >= 0) menu1_Click(static_cast<std::int16_t>(kEntryRows - 1 - row));
      return;
    case Key::Escape:
      return HideMenu();
  }
}

// The row in the hover colour, through the same handlers the mouse runs.
void Form1::Highlight(int row) {
  if (row >= kEntryRows)
    Closer_MouseMove(static_cast<std::int16_t>(kCloserOfRow[row - kEntryRows]));
  else
    menu1_MouseMove(static_cast<std::int16_t>(kEntryRows - 1 - row));
}

void Form1::PaintAllResting() {
  highlighted_ = -1;
  const Colour resting = app_.colours().resting;
  window().SetBackColour(closer_[0], resting);
  window().SetBackColour(closer_[1], resting);
  for (int id : menu1_) window().SetBackColour(id, resting);
  window().SetBackColour(closer_[2], resting);
}

}  // namespace qv
