// The welcome window's declaration: the welcome text, the picture, the "Dont show this
// anymore!" switch, Close, and the picture strip.
#include "windows/welcome/welcome_window.h"

namespace qv {

Declaration<WelcomeWindow> WelcomeWindow::Declare() {
  Declaration<WelcomeWindow> form{
      {"WelcomeWindow", 4005, 3135, false, true, "", {}, "Welcome to QV"}};
  Controls& controls = form.controls;
  form.background = {.move = &WelcomeWindow::Form_MouseMove};
  controls.welcomeText =
      form.Add(Label("Label1", kNoIndex, "", {600, 120, 2295, 195}, "", kAutoSize | kTransparent));
  form.Add(PictureBox("Picture1", {1320, 1440, 2610, 840}, "welcome"));
  controls.dontShowSwitch = form.Add(
      CheckBox("Check1", "", {1080, 2400, 2175, 195}, "Dont show this anymore!", kTickRight, 2),
      {.move = &WelcomeWindow::Form_MouseMove});
  controls.closeButton =
      form.Add(Label("Clo", kNoIndex, "", {480, 2760, 3495, 255}, "Close", kClickable),
               {.click = &WelcomeWindow::Clo_Click, .move = &WelcomeWindow::Clo_MouseMove});
  form.Add(Picture("Image1", {0, -120, 450, 3360}, "strip_welcome"),
           {.down = &WelcomeWindow::Image1_MouseDown});
  return form;
}

}  // namespace qv
