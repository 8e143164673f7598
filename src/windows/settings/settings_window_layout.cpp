// The settings window's declaration: the password frame, the three command labels, the
// two switches and the programs frame with seven slots (path, "Select", menu text).
#include "windows/settings/settings_window.h"

namespace qv {
namespace {

constexpr unsigned kBoxLook = kBoldFont;
constexpr unsigned kNumberLook = kBoldFont | kWhiteBack;

const On<SettingsWindow> kFrame{.move = &SettingsWindow::Frame_MouseMove};

void AddPasswordFrame(Declaration<SettingsWindow>& form) {
  form.Add(Frame("Frame1", {480, 0, 3255, 1455}, "Settings Password   (Min 6 Chars)"), kFrame);
  form.Add(Label("Label1", kNoIndex, "Frame1", {120, 360, 135, 240}, "1", kNumberLook));
  form.Add(Label("Label2", kNoIndex, "Frame1", {120, 720, 135, 240}, "2", kNumberLook));
  SettingsWindow::Controls& controls = form.controls;
  controls.passwordBoxes[0] = form.Add(
      Named(TextBox("Passwd", 0, "Frame1", {360, 360, 2775, 285}, "", kBoxLook | kMasked, 0),
            "Password"));
  controls.passwordBoxes[1] = form.Add(
      Named(TextBox("Passwd", 1, "Frame1", {360, 720, 2775, 285}, "", kBoxLook | kMasked, 1),
            "Repeat password"));
  controls.passwordSwitch = form.Add(CheckBox("Check1", "Frame1", {120, 1080, 3015, 255},
                                              "Use Password To Protect Settings", kWhiteBack, 2),
                                     {.click = &SettingsWindow::Check1_Click});
}

void AddCommands(Declaration<SettingsWindow>& form) {
  SettingsWindow::Controls& controls = form.controls;
  const char* captions[] = {"Ok", "Cancel", "Reset"};  // by SettingsWindow::Command
  for (int i = 0; i < 3; ++i)
    controls.commands[i] =
        form.Add(Label("Sett", i, "", {3840, 120 + 240 * i, 2295, 255}, captions[i], kClickable),
                 {.click = &SettingsWindow::Sett_Click, .move = &SettingsWindow::Sett_MouseMove});
  controls.startAtLogonSwitch = form.Add(
      CheckBox("Check2", "", {3840, 960, 2295, 195}, "   Start QV With Windows", kPlainLook, 17));
  controls.welcomeSwitch = form.Add(
      CheckBox("Check3", "", {3840, 1200, 2295, 195}, "   Show Start Information", kPlainLook, 18));
}

void AddProgramsFrame(Declaration<SettingsWindow>& form) {
  SettingsWindow::Controls& controls = form.controls;
  form.Add(Frame("Frame2", {480, 1440, 5775, 3015}, "Programs (1-7)"), kFrame);
  form.Add(Label("Label3", kNoIndex, "Frame2", {120, 240, 3015, 255}, "Path To The Program",
                 kCentred | kWhiteBack));
  form.Add(Label("Label5", kNoIndex, "Frame2", {4200, 240, 1455, 255}, "Menu Text",
                 kCentred | kWhiteBack));
  for (int k = 0; k < SettingsWindow::kSlots; ++k) {
    const int top = 480 + 360 * k;
    form.Add(
        Label("Label4", k, "Frame2", {120, top, 135, 240}, std::to_string(k + 1), kNumberLook));
    const std::string slot = " of slot " + std::to_string(k + 1);
    controls.programBoxes[k] = form.Add(Named(TextBox("prog", k, "Frame2", {360, top, 2775, 285},
                                                      "(none)", kBoxLook | kReadOnly, 3 + 2 * k),
                                              "Program" + slot));
    controls.selectButtons[k] =
        form.Add(Named(Label("Sel", k, "Frame2", {3240, top, 855, 255}, "Select", kClickable),
                       "Select program" + slot),
                 {.click = &SettingsWindow::Sel_Click, .move = &SettingsWindow::Sel_MouseMove});
    controls.titleBoxes[k] = form.Add(Named(
        TextBox("title", k, "Frame2", {4200, top, 1455, 285}, "(none)", kBoxLook, 4 + 2 * k, 10),
        "Menu text" + slot));
  }
}

}  // namespace

Declaration<SettingsWindow> SettingsWindow::Declare() {
  Declaration<SettingsWindow> form{
      {"SettingsWindow", 6300, 4485, true, true, "", {}, "QV Settings"}};
  form.background = {.move = &SettingsWindow::Form_MouseMove};
  form.Add(Picture("Image1", {0, 0, 450, 4500}, "strip_settings"),
           {.down = &SettingsWindow::Image1_MouseDown});
  AddPasswordFrame(form);
  AddCommands(form);
  AddProgramsFrame(form);
  return form;
}

}  // namespace qv
