// The welcome window: its text, the "Dont show this anymore!" switch written on Close,
// and the hover colour of "Close".
#include "windows/welcome/form4.h"

#include "common/drag.h"
#include "settings/store.h"
#include "startup/app.h"

namespace qv {

namespace {

WindowLayout Build() {
  WindowLayout layout{"Form4", 4005, 3135, false, true, "", {}};
  auto& c = layout.controls;
  c.push_back(Label("Label1", kNoIndex, "", {600, 120, 2295, 195}, "", kAutoSize | kTransparent));
  c.push_back(PictureBox("Picture1", {1320, 1440, 2610, 840}, "welcome"));
  c.push_back(
      CheckBox("Check1", "", {1080, 2400, 2175, 195}, "Dont show this anymore!", kTickRight, 2));
  c.push_back(Label("Clo", kNoIndex, "", {480, 2760, 3495, 255}, "Close", kClickable));
  c.push_back(Picture("Image1", {0, -120, 450, 3360}, "strip_welcome"));
  return layout;
}

}  // namespace

const WindowLayout& Form4Layout() {
  static const WindowLayout layout = Build();
  return layout;
}

Form4::Form4(App& app)
    : Form(app, Form4Layout()), label1_(Id("Label1")), check1_(Id("Check1")), clo_(Id("Clo")) {}

void Form4::Form_Load() {
  app_.colours() = ColoursFromStore(app_.platform().Store());
  window().SetBackColour(clo_, app_.colours().resting);
  window().SetText(label1_, kWelcomeText);
}

void Form4::Clo_Click() {
  const char* show = window().Value(check1_) == 1 ? "no" : "yes";
  app_.platform().Store().write(kApp, kSection, "show", show);
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

void Form4::HandleMouse(MouseEvent event, const ControlLayout* control) {
  if (event == MouseEvent::Move) {
    if (!control || Is(control, "Check1"))
      Form_MouseMove();
    else if (Is(control, "Clo"))
      Clo_MouseMove();
  } else if (event == MouseEvent::Down) {
    if (Is(control, "Image1")) Image1_MouseDown();
  } else if (Is(control, "Clo")) {
    Clo_Click();
  }
}

}  // namespace qv
