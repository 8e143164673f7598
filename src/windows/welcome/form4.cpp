// The welcome window: its text, the "Dont show this anymore!" switch written on Close,
// and the hover colour of "Close".
#include "windows/welcome/form4.h"

#include "app/drag.h"
#include "settings/codec.h"

namespace qv {

Form4::Form4(App& app)
    : DeclaredForm(app), label1_(Id("Label1")), check1_(Id("Check1")), clo_(Id("Clo")) {}

void Form4::Form_Load() {
  app_.colours() = ReadColours(app_.platform().Store(), {kDefaultResting, kDefaultHover});
  window().SetBackColour(clo_, app_.colours().resting);
  window().SetText(label1_, kWelcomeText);
}

void Form4::Clo_Click() {
  WriteShowWelcome(app_.platform().Store(), window().Value(check1_) != 1);
  Unload();
}

void Form4::Form_MouseMove() {
  window().SetBackColour(clo_, app_.colours().resting);
}

void Form4::Clo_MouseMove() {
  window().SetBackColour(clo_, app_.colours().hover);
}

void Form4::Image1_MouseDown() {
  DragWindow(window());
}

}  // namespace qv
