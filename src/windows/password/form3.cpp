// The password prompt: the load decision, the check of the typed password, its hover
// feedback. One try per prompt; the user chooses "Settings" again for another.
#include "windows/password/form3.h"

#include "app/clickable.h"
#include "app/drag.h"
#include "menu/form1.h"
#include "settings/codec.h"
#include "windows/settings/form2.h"

namespace qv {

Form3::Form3(App& app)
    : DeclaredForm(app), passwd_(Id("Passwd")), text1_(Id("Text1")), sett_(Ids<2>("Sett")) {}

void Form3::Form_Load() {
  PaintGroup(window(), sett_, app_.colours());
  window().SetText(passwd_, "");
  app_.keys().FillB();
  window().SetText(text1_,
                   ReadPassword(app_.platform().Store(), app_.keys().b, kUnsetPasswordPair));
  if (PasswordInForce()) return;  // stays loaded and waits for the password
  OpenSettings();
  app_.menu().TimeOut(0.5);
  Unload();
}

bool Form3::PasswordInForce() {
  return ReadPasswordInForce(app_.platform().Store(), "");
}

void Form3::OpenSettings() {
  app_.Open<Form2>();
}

void Form3::Sett_Click(std::int16_t index) {
  if (index == 1) {
    Unload();
  } else if (index == 0) {
    if (window().Text(passwd_) != window().Text(text1_)) {
      app_.platform().ShowMessage("Wrong Password", MessageStyle::OkOnly, "QV");
    } else {
      OpenSettings();
    }
    Unload();
  }
}

void Form3::Form_MouseMove() {
  PaintGroup(window(), sett_, app_.colours());
}

void Form3::Sett_MouseMove(std::int16_t index) {
  PaintGroup(window(), sett_, app_.colours(), index);
}

void Form3::Image1_MouseDown() {
  DragWindow(window());
}

}  // namespace qv
