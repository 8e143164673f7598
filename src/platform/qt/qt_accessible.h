// What screen readers see of QV's own widgets through Qt accessibility: the flat labels
// as buttons (menu items in the menu) with a press action that runs their click, or as
// static text; the frameless top-level windows as dialogs or a popup menu.
#pragma once

namespace qv {

// Installs the factory once per process; Qt's own widgets keep Qt's interfaces.
void InstallAccessibleInterfaces();

}  // namespace qv
