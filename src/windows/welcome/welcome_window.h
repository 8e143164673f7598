// The welcome window: tells a new user where the launcher lives, until the user ticks
// "Dont show this anymore!" and closes it.
#pragma once

#include "app/declared_form.h"

namespace qv {

class WelcomeWindow final : public DeclaredForm<WelcomeWindow> {
 public:
  static constexpr FormId kId = FormId::Welcome;
  struct Controls {
    int welcomeText;
    int dontShowSwitch;
    int closeButton;
  };
  static Declaration<WelcomeWindow> Declare();  // its controls, with their places and handlers
  static constexpr const char* kWelcomeText =
      "Welcome to the Velmora Menu!\r\n"
      "The Menu is launched right to the\r\n"
      "System tray, right beside the clock\r\n"
      "\r\n"
      "To activate the menu, just click on the\r\n"
      "system tray icon!";

  explicit WelcomeWindow(App& app);

  void Form_Load() override;
  void Clo_Click();
  void Form_MouseMove();  // also over Check1
  void Clo_MouseMove();
  void Image1_MouseDown();

 private:
  const Controls& controls_ = Declared().controls;
};

}  // namespace qv
