// The password prompt: the load decision, the check of the typed password, its hover
// feedback. One try per prompt; the user chooses "Settings" again for another.
#include "windows/password/password_prompt.h"

#include "app/clickable.h"
#include "settings/codec.h"
#include "windows/settings/settings_window.h"

namespace qv {

PasswordPrompt::PasswordPrompt(App& app) : DeclaredForm(app) {}

void PasswordPrompt::Form_Load() {
  PaintGroup(window(), controls_.commands, app_.colours());
  window().SetText(controls_.passwordBox, "");
  app_.keys().FillB();
  window().SetText(controls_.storedPassword,
                   ReadPassword(app_.platform().Store(), app_.keys().b, kUnsetPasswordPair));
  if (PasswordInForce()) return;  // stays loaded and waits for the password
  OpenSettings();
  app_.TimeOut(0.5);
  Unload();
}

bool PasswordPrompt::PasswordInForce() {
  return ReadPasswordInForce(app_.platform().Store(), "");
}

void PasswordPrompt::OpenSettings() {
  app_.Open<SettingsWindow>();
}

void PasswordPrompt::Sett_Click(std::int16_t index) {
  if (index == kCancel) {
    Unload();
  } else if (index == kOk) {
    if (window().Text(controls_.passwordBox) != window().Text(controls_.storedPassword)) {
      app_.platform().ShowMessage("Wrong Password", MessageStyle::OkOnly, "QV");
    } else {
      OpenSettings();
    }
    Unload();
  }
}

void PasswordPrompt::Form_MouseMove() {
  PaintGroup(window(), controls_.commands, app_.colours());
}

void PasswordPrompt::Sett_MouseMove(std::int16_t index) {
  PaintGroup(window(), controls_.commands, app_.colours(), index);
}

void PasswordPrompt::Image1_MouseDown() {
  window().DragWithMouse();
}

}  // namespace qv
