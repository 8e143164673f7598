// Form3, the password prompt between "Settings" and the settings window. Its load decides
// whether a password is in force; without one it opens the settings window unseen.
#pragma once

#include <array>
#include <cstdint>

#include "app/declared_form.h"

namespace qv {

class Form3 final : public DeclaredForm<Form3> {
 public:
  static constexpr FormId kId = FormId::Password;
  static Declaration<Form3> Declare();  // its controls, with their places and handlers
  explicit Form3(App& app);

  void Form_Load() override;
  void Sett_Click(std::int16_t index);
  void Form_MouseMove();  // also over Frame1
  void Sett_MouseMove(std::int16_t index);
  void Image1_MouseDown();

 private:
  bool PasswordInForce();
  void OpenSettings();

  const int passwd_;
  const int text1_;
  const std::array<int, 2> sett_;
};

}  // namespace qv
