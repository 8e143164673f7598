// The checks of a declaration, made once as it is built.
#include "app/declaration.h"

#include <stdexcept>

namespace qv {

void CheckNewControl(const WindowLayout& layout, const ControlLayout& control) {
  if (!control.parent.empty() && layout.Find(control.parent) < 0)
    throw std::logic_error(layout.name + ": no frame " + control.parent);
  if (layout.Find(control.name, control.index) >= 0)
    throw std::logic_error(layout.name + ": " + control.name + " declared twice");
}

}  // namespace qv
