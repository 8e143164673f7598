// The password prompt between "Settings" and the settings window. Its load decides
// whether a password is in force; without one it opens the settings window unseen.
#pragma once

#include <array>
#include <cstdint>

#include "app/declared_form.h"

namespace qv {

class PasswordPrompt final : public DeclaredForm<PasswordPrompt> {
 public:
  static constexpr FormId kId = FormId::Password;
  // The elements of the `Sett` array.
  enum Command : std::int16_t { kOk = 0, kCancel = 1 };
  struct Controls {
    int passwordBox;     // what the user types
    int storedPassword;  // hidden: the password as stored
    std::array<int, 2> commands;
  };
  static Declaration<PasswordPrompt> Declare();  // its controls, with their places and handlers
  explicit PasswordPrompt(App& app);

  void Form_Load() override;
  void Sett_Click(std::int16_t index);
  void Form_MouseMove();  // also over Frame1
  void Sett_MouseMove(std::int16_t index);
  void Image1_MouseDown();

 private:
  bool PasswordInForce();
  void OpenSettings();

  const Controls& controls_ = Declared().controls;
};

}  // namespace qv
