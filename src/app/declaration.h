// A window's declaration with its handlers: every control's layout carries the member
// functions that handle its click, mouse move and mouse down, so a handler is bound to a
// control that exists, and one dispatcher serves every window. Adding a control gives
// back its id, which the declaration keeps in the window's own Controls struct: the
// window addresses its controls by those typed ids, never by name.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace qv {

// Throws std::logic_error when the control names a frame not declared yet, or repeats a
// (name, index) already declared: a layout mistake shows on the window's first load.
void CheckNewControl(const WindowLayout& layout, const ControlLayout& control);

// One handler: a member function of the window F, taking the element's index when the
// control belongs to a control array, or nothing. Empty: the event is ignored.
template <class F>
class Handler {
 public:
  using Indexed = void (F::*)(std::int16_t);
  using Plain = void (F::*)();

  Handler() = default;
  Handler(Indexed handler) : indexed_(handler) {}  // NOLINT: bound from a member pointer
  Handler(Plain handler) : plain_(handler) {}      // NOLINT

  void Run(F& form, std::int16_t index) const {
    if (indexed_)
      (form.*indexed_)(index);
    else if (plain_)
      (form.*plain_)();
  }

 private:
  Indexed indexed_ = nullptr;
  Plain plain_ = nullptr;
};

// The handlers of one control, or of the window's own background.
template <class F>
struct On {
  Handler<F> click = {}, move = {}, down = {};
};

template <class F>
struct Declaration {
  WindowLayout layout;
  On<F> background = {};
  std::vector<On<F>> handlers = {};  // by control id
  typename F::Controls controls = {};

  // Adds a control and gives back its id; its frame must already be declared and its
  // (name, index) be new.
  int Add(ControlLayout control, On<F> on = {}) {
    CheckNewControl(layout, control);
    if (!control.parent.empty()) control.parentId = layout.Find(control.parent);
    layout.controls.push_back(std::move(control));
    handlers.push_back(on);
    return static_cast<int>(layout.controls.size()) - 1;
  }

  const On<F>& HandlersOf(int control) const {
    return control == kWindowItself ? background : handlers.at(control);
  }
};

}  // namespace qv
