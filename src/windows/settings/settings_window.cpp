// The settings window: loading every setting into its controls, checking and saving
// them, picking programs, the password switch, Reset, and its hover feedback.
#include "windows/settings/settings_window.h"

#include "app/clickable.h"
#include "settings/codec.h"

namespace qv {
namespace {

const FileDialogOptions kProgramDialog{"Select A Program Or Cancel To Unset!!", "Supported Files",
                                       "*.exe;*.com;*.bat", ""};

constexpr const char* kTooShort = "Password Length has to be 6 chars or more!";
constexpr const char* kNoMatch = "Password Does Not Match";
// The stored pair is split at its first "|||": such a password would open by its first part.
constexpr const char* kHasSeparator = "Password May Not Contain |||";
constexpr const char* kRunEntryNotWritten =
    "The settings were saved, but QV could not be set to start at logon.";
constexpr const char* kRunEntryNotRemoved =
    "The settings were saved, but QV could not be kept from starting at logon.";
constexpr const char* kCaption = "QV";

}  // namespace

SettingsWindow::SettingsWindow(App& app) : DeclaredForm(app) {}

void SettingsWindow::Form_Load() {
  window().MakeTopmost();
  PaintGroup(window(), controls_.commands, app_.colours());
  app_.keys().FillA();
  app_.keys().FillB();
  PaintGroup(window(), controls_.selectButtons, app_.colours());
  ReadSettings();
}

void SettingsWindow::ReadSettings() {
  ReadPasswordBoxes();
  ReadSlotBoxes();
  ReadSwitches();
}

void SettingsWindow::ReadPasswordBoxes() {
  const std::string password =
      ReadPassword(app_.platform().Store(), app_.keys().b, kUnsetPasswordPair);
  for (int box : controls_.passwordBoxes) window().SetText(box, password);
}

void SettingsWindow::ReadSlotBoxes() {
  SettingsStore& store = app_.platform().Store();
  auto read = [&](SlotField field, const std::array<int, kSlots>& boxes) {
    for (int k = 0; k < kSlots; ++k)
      window().SetText(boxes[k], ReadSlot(store, app_.keys().a, field, k + 1, SlotSentinel()));
  };
  read(SlotField::Program, controls_.programBoxes);
  read(SlotField::Title, controls_.titleBoxes);
}

void SettingsWindow::ReadSwitches() {
  SettingsStore& store = app_.platform().Store();
  window().SetValue(controls_.passwordSwitch, ReadPasswordSwitch(store, "0"));
  EnablePasswordBoxes();
  window().SetValue(controls_.startAtLogonSwitch, ReadStartAtLogon(store, ""));
  window().SetValue(controls_.welcomeSwitch, ReadShowWelcome(store, "") ? 1 : 0);
}

void SettingsWindow::EnablePasswordBoxes() {
  const bool inForce = window().Value(controls_.passwordSwitch) != 0;
  for (int box : controls_.passwordBoxes) window().SetEnabled(box, inForce);
}

// The typed password must be long enough, typed the same twice, and free of the
// separator of the stored pair; otherwise the user is told why.
bool SettingsWindow::PasswordBoxesAccepted() {
  Platform& platform = app_.platform();
  const std::string password = window().Text(controls_.passwordBoxes[0]);
  const char* problem = nullptr;
  if (platform.CharacterCount(password) < kMinPasswordLength)
    problem = kTooShort;
  else if (window().Text(controls_.passwordBoxes[1]) != password)
    problem = kNoMatch;
  else if (password.find(kPasswordSeparator) != std::string::npos)
    problem = kHasSeparator;
  if (problem) platform.ShowMessage(problem, MessageStyle::OkOnly, kCaption);
  return problem == nullptr;
}

SettingsSnapshot SettingsWindow::Snapshot() {
  SettingsSnapshot snapshot;
  snapshot.password = window().Text(controls_.passwordBoxes[0]);
  for (int k = 0; k < kSlots; ++k) {
    snapshot.titles[k] = window().Text(controls_.titleBoxes[k]);
    snapshot.programs[k] = window().Text(controls_.programBoxes[k]);
  }
  snapshot.passwordSwitch = window().Value(controls_.passwordSwitch);
  snapshot.startAtLogon = window().Value(controls_.startAtLogonSwitch);
  snapshot.showWelcome = window().Value(controls_.welcomeSwitch) != 0;
  return snapshot;
}

void SettingsWindow::SaveSettings() {
  if (!PasswordBoxesAccepted()) return;
  Platform& platform = app_.platform();
  const SettingsSnapshot snapshot = Snapshot();
  const SaveOutcome outcome = SaveAll(platform.Store(), platform.StartAtLogon(), app_.keys(),
                                      platform.ProgramPath(), snapshot);
  if (outcome == SaveOutcome::NotSaved) {
    // Nothing is closed or cleared: the user's edits stay for another try.
    platform.ShowMessage(kSettingsNotSaved, MessageStyle::OkOnly, kCaption);
    return;
  }
  if (outcome == SaveOutcome::SavedButEntryFailed) {
    const bool adding = snapshot.startAtLogon == 1;
    platform.ShowMessage(adding ? kRunEntryNotWritten : kRunEntryNotRemoved, MessageStyle::OkOnly,
                         kCaption);
  }
  app_.TimeOut(0.2);
  app_.RefreshMenu();  // saved: the menu shows it even if the window went meanwhile
  if (IsLoaded()) Unload();
}

void SettingsWindow::Reset() {
  if (app_.platform().ShowMessage("Are you sure that you want to reset all settings?",
                                  MessageStyle::YesNoQuestion, "Reset Settings?") != Answer::Yes)
    return;
  if (!IsLoaded()) return;
  for (int id : controls_.passwordBoxes) window().SetText(id, "");
  for (int id : controls_.programBoxes) window().SetText(id, "");
  window().SetValue(controls_.passwordSwitch, 0);
  for (int id : controls_.titleBoxes) window().SetText(id, "");
  app_.TimeOut(0.1);
  if (!IsLoaded()) return;
  ReadSettings();
  PaintGroup(window(), controls_.commands, app_.colours());
  window().SetValue(controls_.welcomeSwitch, 1);
}

void SettingsWindow::Sett_Click(std::int16_t index) {
  PaintGroup(window(), controls_.selectButtons, app_.colours());
  if (index == kOk)
    SaveSettings();
  else if (index == kCancel)
    Unload();
  else if (index == kReset)
    Reset();
}

void SettingsWindow::Sel_Click(std::int16_t index) {
  if (index < 0 || index >= kSlots) return;
  FileDialogOptions dialog = kProgramDialog;
  dialog.currentFile = window().Text(controls_.programBoxes[index]);
  std::optional<std::string> chosen = app_.platform().OpenFileDialog(dialog);
  if (!IsLoaded()) return;
  window().SetText(controls_.programBoxes[index], chosen ? *chosen : std::string(kNoneMarker));
}

void SettingsWindow::Check1_Click() {
  EnablePasswordBoxes();
}

void SettingsWindow::Form_MouseMove() {
  PaintGroup(window(), controls_.commands, app_.colours());
}

void SettingsWindow::Frame_MouseMove() {
  PaintGroup(window(), controls_.commands, app_.colours());
  PaintGroup(window(), controls_.selectButtons, app_.colours());
}

void SettingsWindow::Sel_MouseMove(std::int16_t index) {
  PaintGroup(window(), controls_.selectButtons, app_.colours(), index);
}

void SettingsWindow::Sett_MouseMove(std::int16_t index) {
  PaintGroup(window(), controls_.commands, app_.colours(), index);
}

void SettingsWindow::Image1_MouseDown() {
  window().DragWithMouse();
}

}  // namespace qv
