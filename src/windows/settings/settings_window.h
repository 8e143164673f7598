// The settings window: the seven slots with their programs and menu texts, the settings
// password and its switch, start-at-logon and the welcome switch.
#pragma once

#include <array>
#include <cstdint>

#include "app/declared_form.h"
#include "settings/save.h"

namespace qv {

class SettingsWindow final : public DeclaredForm<SettingsWindow> {
 public:
  static constexpr FormId kId = FormId::Settings;
  static constexpr int kSlots = SettingsSnapshot::kSlots;
  static constexpr int kMinPasswordLength = 6;
  // The elements of the `Sett` array.
  enum Command : std::int16_t { kOk = 0, kCancel = 1, kReset = 2 };
  struct Controls {
    std::array<int, 2> passwordBoxes;  // typed, then repeated
    std::array<int, kSlots> programBoxes;
    std::array<int, kSlots> titleBoxes;
    std::array<int, kSlots> selectButtons;
    std::array<int, 3> commands;  // by Command
    int passwordSwitch;
    int startAtLogonSwitch;
    int welcomeSwitch;
  };
  static Declaration<SettingsWindow> Declare();  // its controls, with their places and handlers

  explicit SettingsWindow(App& app);

  void Form_Load() override;
  // Fills every box and switch from the store.
  void ReadSettings() override;
  // Checks the password boxes and saves everything, or says what is wrong.
  void SaveSettings();
  void Reset();

  void Sett_Click(std::int16_t index);
  void Sel_Click(std::int16_t index);
  void Check1_Click();
  void Form_MouseMove();
  void Frame_MouseMove();  // Frame1 and Frame2 alike
  void Sel_MouseMove(std::int16_t index);
  void Sett_MouseMove(std::int16_t index);
  void Image1_MouseDown();

 private:
  void ReadPasswordBoxes();
  void ReadSlotBoxes();
  void ReadSwitches();
  void EnablePasswordBoxes();
  bool PasswordBoxesAccepted();
  SettingsSnapshot Snapshot();

  const Controls& controls_ = Declared().controls;
};

}  // namespace qv
