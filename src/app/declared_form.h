// A window built from its declaration (F::Declare(), built once per run): the one
// dispatcher that runs, for each mouse event, the handler its control was declared with,
// and the ids the declaration gave the window's controls.
#pragma once

#include <cstdint>

#include "app/app.h"
#include "app/declaration.h"
#include "app/form.h"

namespace qv {

template <class F>
class DeclaredForm : public Form {
 protected:
  explicit DeclaredForm(App& app) : Form(app, F::kId, Declared().layout) {}

  static const Declaration<F>& Declared() {
    static const Declaration<F> declaration = F::Declare();
    return declaration;
  }

 private:
  void HandleMouse(MouseEvent event, int control) final {
    const On<F>& on = Declared().HandlersOf(control);
    const Handler<F>& handler = event == MouseEvent::Move   ? on.move
                                : event == MouseEvent::Down ? on.down
                                                            : on.click;
    const int index = control == kWindowItself ? kNoIndex : layout_.controls[control].index;
    handler.Run(static_cast<F&>(*this), static_cast<std::int16_t>(index < 0 ? 0 : index));
  }
};

}  // namespace qv
