// The menu window's declaration: seven user slots, five built-in tools and three
// commands in three groups, rows 255 twips high at a pitch of 240, and the picture strip.
#include "menu/form1.h"

namespace qv {
namespace {

ControlLayout Entry(const char* name, int index, int top, const char* text) {
  return Label(name, index, "", {360, top, 1935, 255}, text, kClickable);
}

}  // namespace

Declaration<Form1> Form1::Declare() {
  Declaration<Form1> form{{.name = "Form1",
                           .width = Form1::kWidth,
                           .height = Form1::kHeight,
                           .icon = "qv",
                           .accessibleName = "QV menu",
                           .role = WindowRole::Menu}};
  form.background = {.move = &Form1::Form_MouseMove};
  const On<Form1> entry{.click = &Form1::menu1_Click, .move = &Form1::menu1_MouseMove};
  const On<Form1> command{.click = &Form1::Closer_Click, .move = &Form1::Closer_MouseMove};
  const char* slotTexts[] = {"1", "2", "3", "4", "5", "6", "7"};
  for (int row = 0; row < 7; ++row)
    form.Add(NamedWhenBlank(Entry("menu1", 11 - row, 240 * row, slotTexts[row]),
                            std::string("Empty slot ") + slotTexts[6 - row]),
             entry);
  const char* tools[] = {"Defrag", "Scandisk", "Winipcfg", "Notepad", "Calculator"};
  for (int row = 0; row < 5; ++row)
    form.Add(Entry("menu1", 4 - row, 1800 + 240 * row, tools[row]), entry);
  form.Add(Entry("Closer", 2, 3120, "Settings"), command);
  form.Add(Entry("Closer", 0, 3360, "Hide Menu"), command);
  form.Add(Entry("Closer", 1, 3600, "Exit Velmora"), command);
  form.Add(Picture("Image1", {0, 0, 450, 3855}, "strip_menu"),
           {.click = &Form1::Image1_Click, .move = &Form1::Image1_MouseMove});
  return form;
}

}  // namespace qv
