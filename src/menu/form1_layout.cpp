// The menu window's declaration: seven user slots, five built-in tools and three
// commands in three groups, rows 255 twips high at a pitch of 240, and the picture strip.
#include "menu/form1.h"

namespace qv {
namespace {

ControlLayout Entry(const char* name, int index, int top, const char* text) {
  return Label(name, index, "", {360, top, 1935, 255}, text, kClickable);
}

WindowLayout Build() {
  WindowLayout layout{"Form1", Form1::kWidth, Form1::kHeight, false, false, "qv", {}};
  const char* slotTexts[] = {"1", "2", "3", "4", "5", "6", "7"};
  for (int row = 0; row < 7; ++row)
    layout.controls.push_back(Entry("menu1", 11 - row, 240 * row, slotTexts[row]));
  const char* tools[] = {"Defrag", "Scandisk", "Winipcfg", "Notepad", "Calculator"};
  for (int row = 0; row < 5; ++row)
    layout.controls.push_back(Entry("menu1", 4 - row, 1800 + 240 * row, tools[row]));
  layout.controls.push_back(Entry("Closer", 2, 3120, "Settings"));
  layout.controls.push_back(Entry("Closer", 0, 3360, "Hide Menu"));
  layout.controls.push_back(Entry("Closer", 1, 3600, "Exit Velmora"));
  layout.controls.push_back(Picture("Image1", {0, 0, 450, 3855}, "strip_menu"));
  return layout;
}

}  // namespace

const WindowLayout& Form1Layout() {
  static const WindowLayout layout = Build();
  return layout;
}

}  // namespace qv
