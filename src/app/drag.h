// Module2: the window-drag routine. Hands the window to the platform's own move loop,
// as if the user had grabbed a title bar, until the mouse button is released.
#pragma once

#include "platform/platform.h"

namespace qv {

inline void DragWindow(Window& window) {
  window.DragWithMouse();
}

}  // namespace qv
