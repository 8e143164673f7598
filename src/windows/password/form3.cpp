// The password prompt: the load decision, the check of the typed password, its hover
// feedback. One try per prompt; the user chooses "Settings" again for another.
#include "windows/password/form3.h"

#include "common/clickable.h"
#include "common/drag.h"
#include "common/number_text.h"
#include "menu/form1.h"
#include "settings/password.h"
#include "settings/scramble.h"
#include "settings/store.h"
#include "startup/app.h"
#include "windows/settings/form2.h"

namespace qv {

namespace {

WindowLayout Build() {
  WindowLayout layout{"Form3", 3900, 1350, false, true, "", {}};
  auto& c = layout.controls;
  c.push_back(Picture("Image1", {0, 0, 450, 1350}, "strip_password"));
  c.push_back(Frame("Frame1", {480, 0, 3375, 1335}, "Enter Password To Change Settings"));
  c.push_back(Label("Label1", kNoIndex, "Frame1", {120, 360, 135, 240}, "1",
                    kBoldFont | kAutoSize | kTransparent));
  c.push_back(
      TextBox("Passwd", kNoIndex, "Frame1", {360, 360, 2895, 255}, "", kBoldFont | kMasked, 0));
  c.push_back(Label("Sett", 0, "Frame1", {120, 840, 1575, 255}, "Ok", kClickable));
  c.push_back(Label("Sett", 1, "Frame1", {1680, 840, 1575, 255}, "Cancel", kClickable));
  c.push_back(TextBox("Text1", kNoIndex, "Frame1", {2400, 480, 375, 285}, "", kHidden, -1));
  return layout;
}

}  // namespace

const WindowLayout& Form3Layout() {
  static const WindowLayout layout = Build();
  return layout;
}

Form3::Form3(App& app)
    : Form(app, Form3Layout()), passwd_(Id("Passwd")), text1_(Id("Text1")), sett_(Ids<2>("Sett")) {}

void Form3::Form_Load() {
  PaintGroup(window(), sett_, app_.colours());
  window().SetText(passwd_, "");
  app_.keys().FillB();
  window().SetText(text1_, StoredPassword(app_.platform().Store(), app_.keys().b));
  if (PasswordInForce()) return;  // stays loaded and waits for the password
  OpenSettings();
  app_.menu().TimeOut(0.5);
  Unload();
}

bool Form3::PasswordInForce() {
  const std::string use = app_.platform().Store().read(kApp, kSection, "use");
  if (use.empty()) return false;
  return LeadingNumber(scramble(use, kFlagKey)) != 0;
}

void Form3::OpenSettings() {
  auto settings = app_.Load<Form2>();
  if (settings && app_.IsLoaded(*settings)) settings->window().Show();
}

void Form3::Sett_Click(std::int16_t index) {
  if (index == 1) {
    Unload();
  } else if (index == 0) {
    if (window().Text(passwd_) != window().Text(text1_)) {
      app_.platform().ShowMessage("Wrong Password", kOkOnly, "QV");
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

void Form3::HandleMouse(MouseEvent event, const ControlLayout* control) {
  const auto index = static_cast<std::int16_t>(control ? control->index : 0);
  if (event == MouseEvent::Move) {
    if (!control || Is(control, "Frame1"))
      Form_MouseMove();
    else if (Is(control, "Sett"))
      Sett_MouseMove(index);
  } else if (event == MouseEvent::Down) {
    if (Is(control, "Image1")) Image1_MouseDown();
  } else if (Is(control, "Sett")) {
    Sett_Click(index);
  }
}

}  // namespace qv
