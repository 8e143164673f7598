// Form2, the settings window: the seven slots with their programs and menu texts, the
// settings password and its switch, start-at-logon and the welcome switch.
#pragma once

#include <array>
#include <cstdint>

#include "app/declared_form.h"

namespace qv {

class Form2 final : public DeclaredForm<Form2> {
 public:
  static constexpr FormId kId = FormId::Settings;
  static Declaration<Form2> Declare();  // its controls, with their places and handlers
  static constexpr int kSlots = 7;
  static constexpr int kMinPasswordLength = 6;

  explicit Form2(App& app);

  void Form_Load() override;
  void GetReg();
  void PutReg();
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
  void LoadPassword();
  void LoadSlots();
  void LoadSwitches();
  bool SaveSettings();
  bool WriteSettings();
  bool UpdateStartAtLogon();

  const std::array<int, 2> passwd_;
  const std::array<int, kSlots> prog_;
  const std::array<int, kSlots> title_;
  const std::array<int, kSlots> sel_;
  const std::array<int, 3> sett_;
  const int check1_, check2_, check3_;
  bool runEntryFailed_ = false;
  bool entryTouched_ = false;  // this save has added or removed the start-at-logon entry
};

}  // namespace qv
