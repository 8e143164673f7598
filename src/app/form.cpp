// Event routing and lifetime of the windows.
#include "app/form.h"

#include "app/app.h"

namespace qv {

Form::Form(App& app, FormId id, const WindowLayout& layout)
    : app_(app), layout_(layout), id_(id), window_(app.platform().NewWindow(layout, *this)) {}

Form::~Form() = default;

void Form::Form_QueryUnload(bool&, UnloadMode) {}

void Form::OnMouse(MouseEvent event, int control) {
  if (!IsLoaded()) return;
  auto keepAlive = shared_from_this();
  const bool known = control >= 0 && control < static_cast<int>(layout_.controls.size());
  HandleMouse(event, known ? control : kWindowItself);
}

void Form::OnKey(Key key) {
  if (!IsLoaded()) return;
  auto keepAlive = shared_from_this();
  Form_KeyDown(key);
}

void Form::OnCloseRequest(UnloadMode mode) {
  if (!IsLoaded()) return;
  auto keepAlive = shared_from_this();
  app_.Unload(*this, mode);
}

bool Form::IsLoaded() const {
  return app_.IsLoaded(*this);
}

void Form::Unload() {
  app_.Unload(*this, UnloadMode::ByProgram);
}

}  // namespace qv
