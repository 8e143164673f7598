// Form4, the welcome window: tells a new user where the launcher lives, until the user
// ticks "Dont show this anymore!" and closes it.
#pragma once

#include "app/declared_form.h"

namespace qv {

class Form4 final : public DeclaredForm<Form4> {
 public:
  static constexpr FormId kId = FormId::Welcome;
  static Declaration<Form4> Declare();  // its controls, with their places and handlers
  static constexpr const char* kWelcomeText =
      "Welcome to the Velmora Menu!\r\n"
      "The Menu is launched right to the\r\n"
      "System tray, right beside the clock\r\n"
      "\r\n"
      "To activate the menu, just click on the\r\n"
      "system tray icon!";

  explicit Form4(App& app);

  void Form_Load() override;
  void Clo_Click();
  void Form_MouseMove();  // also over Check1
  void Clo_MouseMove();
  void Image1_MouseDown();

 private:
  const int label1_, check1_, clo_;
};

}  // namespace qv
