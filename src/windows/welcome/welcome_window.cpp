// The welcome window: its text, the "Dont show this anymore!" switch written on Close,
// and the hover colour of "Close".
#include "windows/welcome/welcome_window.h"

#include "settings/codec.h"

namespace qv {

WelcomeWindow::WelcomeWindow(App& app) : DeclaredForm(app) {}

void WelcomeWindow::Form_Load() {
  app_.colours() = ReadColours(app_.platform().Store(), {kDefaultResting, kDefaultHover});
  window().SetBackColour(controls_.closeButton, app_.colours().resting);
  window().SetText(controls_.welcomeText, kWelcomeText);
}

void WelcomeWindow::Clo_Click() {
  WriteShowWelcome(app_.platform().Store(), window().Value(controls_.dontShowSwitch) != 1);
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
