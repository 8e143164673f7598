// The menu window's declaration: its fifteen rows, 255 twips high at a pitch of 240, and
// the picture strip over their left edge.
#include "menu/menu_window.h"

namespace qv {

Declaration<MenuWindow> MenuWindow::Declare() {
  Declaration<MenuWindow> form{{.name = "MenuWindow",
                                .width = MenuWindow::kWidth,
                                .height = MenuWindow::kHeight,
                                .icon = "qv",
                                .accessibleName = "QV menu",
                                .role = WindowRole::Menu}};
  form.background = {.move = &MenuWindow::Form_MouseMove};
  const On<MenuWindow> entry{.click = &MenuWindow::menu1_Click,
                             .move = &MenuWindow::menu1_MouseMove};
  const On<MenuWindow> command{.click = &MenuWindow::Closer_Click,
                               .move = &MenuWindow::Closer_MouseMove};
  for (std::size_t row = 0; row < kMenuRows.size(); ++row) {
    const MenuRow& r = kMenuRows[row];
    ControlLayout label =
        Label(std::string(r.key), r.index, "", {360, r.top, 1935, 255}, r.text, kClickable);
    if (r.action == MenuAction::StartSlot)
      label = NamedWhenBlank(label, "Empty slot " + std::to_string(r.slot));
    form.controls.rows[row] = form.Add(label, r.key == "menu1" ? entry : command);
  }
  form.Add(Picture("Image1", {0, 0, 450, 3855}, "strip_menu"),
           {.click = &MenuWindow::Image1_Click, .move = &MenuWindow::Image1_MouseMove});
  return form;
}

}  // namespace qv
