// The welcome window's declaration: the welcome text, the picture, the "Dont show this
// anymore!" switch, Close, and the picture strip.
#include "windows/welcome/form4.h"

namespace qv {

Declaration<Form4> Form4::Declare() {
  Declaration<Form4> form{{"Form4", 4005, 3135, false, true, "", {}, "Welcome to QV"}};
  form.background = {.move = &Form4::Form_MouseMove};
  form.Add(Label("Label1", kNoIndex, "", {600, 120, 2295, 195}, "", kAutoSize | kTransparent));
  form.Add(PictureBox("Picture1", {1320, 1440, 2610, 840}, "welcome"));
  form.Add(
      CheckBox("Check1", "", {1080, 2400, 2175, 195}, "Dont show this anymore!", kTickRight, 2),
      {.move = &Form4::Form_MouseMove});
  form.Add(Label("Clo", kNoIndex, "", {480, 2760, 3495, 255}, "Close", kClickable),
           {.click = &Form4::Clo_Click, .move = &Form4::Clo_MouseMove});
  form.Add(Picture("Image1", {0, -120, 450, 3360}, "strip_welcome"),
           {.down = &Form4::Image1_MouseDown});
  return form;
}

}  // namespace qv
