// The welcome window: its text, the "Dont show this anymore!" switch written on Close,
// and the hover colour of "Close".
#include "windows/welcome/welcome_window.h"

#include "settings/codec.h"
#include "settings/save.h"

namespace qv {

WelcomeWindow::WelcomeWindow(App& app) : DeclaredForm(app) {}

void WelcomeWindow::Form_Load() {
  app_.colours() = ReadColours(app_.platform().Store(), {kDefaultResting, kDefaultHover});
  window().SetBackColour(controls_.closeButton, app_.colours().resting);
  window().SetText(controls_.welcomeText, kWelcomeText);
}

// A switch that could not be saved is said, as the settings window says it, and the window
// stays with the switch as the user set it, for another try (the close keystroke still
// closes it without saving).
void WelcomeWindow::Clo_Click() {
  const bool show = window().Value(controls_.dontShowSwitch) != 1;
  if (!WriteShowWelcome(app_.platform().Store(), show)) {
    app_.platform().ShowMessage(kSettingsNotSaved, MessageStyle::OkOnly, "QV");
    return;
  }
  Unload();
}

void WelcomeWindow::Form_MouseMove() {
  window().SetBackColour(controls_.closeButton, app_.colours().resting);
}

void WelcomeWindow::Clo_MouseMove() {
  window().SetBackColour(controls_.closeButton, app_.colours().hover);
}

void WelcomeWindow::Image1_MouseDown() {
  window().DragWithMouse();
}

}  // namespace qv
