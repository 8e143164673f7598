// The password prompt's declaration: the picture strip, and a frame with the password
// box, Ok and Cancel, and the hidden box that holds the stored password.
#include "windows/password/password_prompt.h"

namespace qv {

Declaration<PasswordPrompt> PasswordPrompt::Declare() {
  Declaration<PasswordPrompt> form{
      {"PasswordPrompt", 3900, 1350, false, true, "", {}, "QV password"}};
  Controls& controls = form.controls;
  form.background = {.move = &PasswordPrompt::Form_MouseMove};
  form.Add(Picture("Image1", {0, 0, 450, 1350}, "strip_password"),
           {.down = &PasswordPrompt::Image1_MouseDown});
  form.Add(Frame("Frame1", {480, 0, 3375, 1335}, "Enter Password To Change Settings"),
           {.move = &PasswordPrompt::Form_MouseMove});
  form.Add(Label("Label1", kNoIndex, "Frame1", {120, 360, 135, 240}, "1",
                 kBoldFont | kAutoSize | kTransparent));
  controls.passwordBox = form.Add(Named(
      TextBox("Passwd", kNoIndex, "Frame1", {360, 360, 2895, 255}, "", kBoldFont | kMasked, 0),
      "Password"));
  const On<PasswordPrompt> command{.click = &PasswordPrompt::Sett_Click,
                                   .move = &PasswordPrompt::Sett_MouseMove};
  controls.commands[kOk] =
      form.Add(Label("Sett", kOk, "Frame1", {120, 840, 1575, 255}, "Ok", kClickable), command);
  controls.commands[kCancel] = form.Add(
      Label("Sett", kCancel, "Frame1", {1680, 840, 1575, 255}, "Cancel", kClickable), command);
  controls.storedPassword =
      form.Add(TextBox("Text1", kNoIndex, "Frame1", {2400, 480, 375, 285}, "", kHidden, -1));
  return form;
}

}  // namespace qv
