// The settings window's declaration: the password frame, the three command labels, the
// two switches and the programs frame with seven slots (path, "Select", menu text).
#include "windows/settings/form2.h"

namespace qv {
namespace {

constexpr unsigned kBoxLook = kBoldFont;
constexpr unsigned kNumberLook = kBoldFont | kWhiteBack;

void AddPasswordFrame(WindowLayout& layout) {
  auto& c = layout.controls;
  c.push_back(Frame("Frame1", {480, 0, 3255, 1455}, "Settings Password   (Min 6 Chars)"));
  c.push_back(Label("Label1", kNoIndex, "Frame1", {120, 360, 135, 240}, "1", kNumberLook));
  c.push_back(Label("Label2", kNoIndex, "Frame1", {120, 720, 135, 240}, "2", kNumberLook));
  c.push_back(TextBox("Passwd", 0, "Frame1", {360, 360, 2775, 285}, "", kBoxLook | kMasked, 0));
  c.push_back(TextBox("Passwd", 1, "Frame1", {360, 720, 2775, 285}, "", kBoxLook | kMasked, 1));
  c.push_back(CheckBox("Check1", "Frame1", {120, 1080, 3015, 255},
                       "Use Password To Protect Settings", kWhiteBack, 2));
}

void AddCommands(WindowLayout& layout) {
  const char* captions[] = {"Ok", "Cancel", "Reset"};
  for (int i = 0; i < 3; ++i)
    layout.controls.push_back(
        Label("Sett", i, "", {3840, 120 + 240 * i, 2295, 255}, captions[i], kClickable));
  layout.controls.push_back(
      CheckBox("Check2", "", {3840, 960, 2295, 195}, "   Start QV With Windows", kPlainLook, 17));
  layout.controls.push_back(
      CheckBox("Check3", "", {3840, 1200, 2295, 195}, "   Show Start Information", kPlainLook, 18));
}

void AddProgramsFrame(WindowLayout& layout) {
  auto& c = layout.controls;
  c.push_back(Frame("Frame2", {480, 1440, 5775, 3015}, "Programs (1-7)"));
  c.push_back(Label("Label3", kNoIndex, "Frame2", {120, 240, 3015, 255}, "Path To The Program",
                    kCentred | kWhiteBack));
  c.push_back(Label("Label5", kNoIndex, "Frame2", {4200, 240, 1455, 255}, "Menu Text",
                    kCentred | kWhiteBack));
  for (int k = 0; k < Form2::kSlots; ++k) {
    const int top = 480 + 360 * k;
    c.push_back(
        Label("Label4", k, "Frame2", {120, top, 135, 240}, std::to_string(k + 1), kNumberLook));
    c.push_back(TextBox("prog", k, "Frame2", {360, top, 2775, 285}, "(none)", kBoxLook | kReadOnly,
                        3 + 2 * k));
    c.push_back(Label("Sel", k, "Frame2", {3240, top, 855, 255}, "Select", kClickable));
    c.push_back(
        TextBox("title", k, "Frame2", {4200, top, 1455, 285}, "(none)", kBoxLook, 4 + 2 * k, 10));
  }
}

WindowLayout Build() {
  WindowLayout layout{"Form2", 6300, 4485, true, true, "", {}};
  layout.controls.push_back(Picture("Image1", {0, 0, 450, 4500}, "strip_settings"));
  AddPasswordFrame(layout);
  AddCommands(layout);
  AddProgramsFrame(layout);
  return layout;
}

}  // namespace

const WindowLayout& Form2Layout() {
  static const WindowLayout layout = Build();
  return layout;
}

}  // namespace qv
