// The settings window: loading every setting into its controls, checking and saving
// them, picking programs, the password switch, Reset, and its hover feedback.
#include "windows/settings/form2.h"

#include "app/clickable.h"
#include "app/drag.h"
#include "menu/form1.h"
#include "settings/codec.h"
#include "settings/run_entry.h"

namespace qv {
namespace {

const FileDialogOptions kProgramDialog{"Select A Program Or Cancel To Unset!!", "Supported Files",
                                       "*.exe;*.com;*.bat", ""};

constexpr const char* kTooShort = "Password Length has to be 6 chars or more!";
constexpr const char* kNoMatch = "Password Does Not Match";
// The stored pair is split at its first "|||": such a password would open by its first part.
constexpr const char* kHasSeparator = "Password May Not Contain |||";
constexpr const char* kNotSaved =
    "The settings could not be saved. Everything you typed is still here: press Ok to try again.";
constexpr const char* kRunEntryNotWritten =
    "The settings were saved, but QV could not be set to start at logon.";
constexpr const char* kRunEntryNotRemoved =
    "The settings were saved, but QV could not be kept from starting at logon.";
constexpr const char* kCaption = "QV";

}  // namespace

Form2::Form2(App& app)
    : DeclaredForm(app),
      passwd_(Ids<2>("Passwd")),
      prog_(Ids<kSlots>("prog")),
      title_(Ids<kSlots>("title")),
      sel_(Ids<kSlots>("Sel")),
      sett_(Ids<3>("Sett")),
      check1_(Id("Check1")),
      check2_(Id("Check2")),
      check3_(Id("Check3")) {}

void Form2::Form_Load() {
  window().MakeTopmost();
  PaintGroup(window(), sett_, app_.colours());
  app_.keys().FillA();
  app_.keys().FillB();
  PaintGroup(window(), sel_, app_.colours());
  GetReg();
}

void Form2::GetReg() {
  LoadPassword();
  LoadSlots();
  LoadSwitches();
}

void Form2::LoadPassword() {
  const std::string password =
      ReadPassword(app_.platform().Store(), app_.keys().b, kUnsetPasswordPair);
  window().SetText(passwd_[0], password);
  window().SetText(passwd_[1], password);
}

void Form2::LoadSlots() {
  SettingsStore& store = app_.platform().Store();
  auto load = [&](SlotField field, const std::array<int, kSlots>& boxes) {
    for (int k = 0; k < kSlots; ++k)
      window().SetText(boxes[k], ReadSlot(store, app_.keys().a, field, k + 1, SlotSentinel()));
  };
  load(SlotField::Program, prog_);
  load(SlotField::Title, title_);
}

void Form2::LoadSwitches() {
  SettingsStore& store = app_.platform().Store();
  window().SetValue(check1_, ReadPasswordSwitch(store, "0"));
  const bool inForce = window().Value(check1_) != 0;
  window().SetEnabled(passwd_[0], inForce);
  window().SetEnabled(passwd_[1], inForce);
  window().SetValue(check2_, ReadStartAtLogon(store, ""));
  window().SetValue(check3_, ReadShowWelcome(store, "") ? 1 : 0);
}

void Form2::PutReg() {
  const std::string password = window().Text(passwd_[0]);
  if (app_.platform().CharacterCount(password) < kMinPasswordLength) {
    app_.platform().ShowMessage(kTooShort, MessageStyle::OkOnly, kCaption);
    return;
  }
  if (window().Text(passwd_[1]) != password) {
    app_.platform().ShowMessage(kNoMatch, MessageStyle::OkOnly, kCaption);
    return;
  }
  if (password.find(kPasswordSeparator) != std::string::npos) {
    app_.platform().ShowMessage(kHasSeparator, MessageStyle::OkOnly, kCaption);
    return;
  }
  if (!SaveSettings()) {
    // Nothing is closed or cleared: the user's edits stay for another try.
    app_.platform().ShowMessage(kNotSaved, MessageStyle::OkOnly, kCaption);
    return;
  }
  if (runEntryFailed_) {
    const bool adding = window().Value(check2_) == 1;
    app_.platform().ShowMessage(adding ? kRunEntryNotWritten : kRunEntryNotRemoved,
                                MessageStyle::OkOnly, kCaption);
  }
  app_.menu().TimeOut(0.2);
  if (app_.Ending()) return;
  app_.menu().GetReg();  // saved: the menu shows it even if the window went meanwhile
  if (IsLoaded()) Unload();
}

// All or nothing: the keys, the start-at-logon entry and `start` are saved together, and
// a save that fails leaves the store and the entry as they were.
bool Form2::SaveSettings() {
  SettingsStore& store = app_.platform().Store();
  RunEntries& entries = app_.platform().StartAtLogon();
  const std::string path = app_.platform().ProgramPath();
  const bool hadEntry = entries.HasRunValue(entries.RunValueNameOf(path));
  entryTouched_ = false;
  store.Hold();
  if (WriteSettings() && store.Commit()) return true;
  store.Discard();
  if (!entryTouched_) return false;  // a key failed before the entry was reached
  const int wanted = window().Value(check2_);
  if (wanted == 0 && hadEntry) AddRunValue(entries, path);
  if (wanted == 1 && !hadEntry) RemoveRunValue(entries, path);
  return false;
}

// Writes every key in the fixed order, and the start-at-logon entry before `start`;
// false at the first write that failed.
bool Form2::WriteSettings() {
  SettingsStore& store = app_.platform().Store();
  const KeyTables& keys = app_.keys();
  if (!WritePassword(store, keys.b, window().Text(passwd_[0]))) return false;
  for (int k = 0; k < kSlots; ++k)
    if (!WriteSlot(store, keys.a, SlotField::Title, k + 1, window().Text(title_[k]))) return false;
  for (int k = 0; k < kSlots; ++k)
    if (!WriteSlot(store, keys.a, SlotField::Program, k + 1, window().Text(prog_[k]))) return false;
  if (!WritePasswordSwitch(store, window().Value(check1_))) return false;
  if (!WriteShowWelcome(store, window().Value(check3_) != 0)) return false;
  runEntryFailed_ = !UpdateStartAtLogon();
  return WriteStartAtLogon(store, window().Value(check2_));
}

// Adds or removes the start-at-logon entry as Check2 says; false when that failed.
bool Form2::UpdateStartAtLogon() {
  RunEntries& entries = app_.platform().StartAtLogon();
  const std::string path = app_.platform().ProgramPath();
  bool done = true;
  entryTouched_ = true;
  if (window().Value(check2_) == 0) done = RemoveRunValue(entries, path);
  if (window().Value(check2_) == 1) done = AddRunValue(entries, path);
  return done;
}

void Form2::Reset() {
  if (app_.platform().ShowMessage("Are you sure that you want to reset all settings?",
                                  MessageStyle::YesNoQuestion, "Reset Settings?") != Answer::Yes)
    return;
  if (!IsLoaded()) return;
  for (int id : passwd_) window().SetText(id, "");
  for (int id : prog_) window().SetText(id, "");
  window().SetValue(check1_, 0);
  for (int id : title_) window().SetText(id, "");
  app_.menu().TimeOut(0.1);
  if (!IsLoaded()) return;
  GetReg();
  PaintGroup(window(), sett_, app_.colours());
  window().SetValue(check3_, 1);
}

void Form2::Sett_Click(std::int16_t index) {
  PaintGroup(window(), sel_, app_.colours());
  if (index == 0)
    PutReg();
  else if (index == 1)
    Unload();
  else if (index == 2)
    Reset();
}

void Form2::Sel_Click(std::int16_t index) {
  if (index < 0 || index >= kSlots) return;
  FileDialogOptions dialog = kProgramDialog;
  dialog.currentFile = window().Text(prog_[index]);
  std::optional<std::string> chosen = app_.platform().OpenFileDialog(dialog);
  if (!IsLoaded()) return;
  window().SetText(prog_[index], chosen ? *chosen : std::string(kNoneMarker));
}

void Form2::Check1_Click() {
  const bool inForce = window().Value(check1_) != 0;
  window().SetEnabled(passwd_[0], inForce);
  window().SetEnabled(passwd_[1], inForce);
}

void Form2::Form_MouseMove() {
  PaintGroup(window(), sett_, app_.colours());
}

void Form2::Frame_MouseMove() {
  PaintGroup(window(), sett_, app_.colours());
  PaintGroup(window(), sel_, app_.colours());
}

void Form2::Sel_MouseMove(std::int16_t index) {
  PaintGroup(window(), sel_, app_.colours(), index);
}

void Form2::Sett_MouseMove(std::int16_t index) {
  PaintGroup(window(), sett_, app_.colours(), index);
}

void Form2::Image1_MouseDown() {
  DragWindow(window());
}

}  // namespace qv
