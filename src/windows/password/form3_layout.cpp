// The password prompt's declaration: the picture strip, and a frame with the password
// box, Ok and Cancel, and the hidden box that holds the stored password.
#include "windows/password/form3.h"

namespace qv {

Declaration<Form3> Form3::Declare() {
  Declaration<Form3> form{{"Form3", 3900, 1350, false, true, "", {}, "QV password"}};
  form.background = {.move = &Form3::Form_MouseMove};
  form.Add(Picture("Image1", {0, 0, 450, 1350}, "strip_password"),
           {.down = &Form3::Image1_MouseDown});
  form.Add(Frame("Frame1", {480, 0, 3375, 1335}, "Enter Password To Change Settings"),
           {.move = &Form3::Form_MouseMove});
  form.Add(Label("Label1", kNoIndex, "Frame1", {120, 360, 135, 240}, "1",
                 kBoldFont | kAutoSize | kTransparent));
  form.Add(Named(
      TextBox("Passwd", kNoIndex, "Frame1", {360, 360, 2895, 255}, "", kBoldFont | kMasked, 0),
      "Password"));
  const On<Form3> command{.click = &Form3::Sett_Click, .move = &Form3::Sett_MouseMove};
  form.Add(Label("Sett", 0, "Frame1", {120, 840, 1575, 255}, "Ok", kClickable), command);
  form.Add(Label("Sett", 1, "Frame1", {1680, 840, 1575, 255}, "Cancel", kClickable), command);
  form.Add(TextBox("Text1", kNoIndex, "Frame1", {2400, 480, 375, 285}, "", kHidden, -1));
  return form;
}

}  // namespace qv
