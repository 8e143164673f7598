// Event routing and lifetime of the windows.
#include "common/form.h"

#include "startup/app.h"

namespace qv {

Form::Form(App& app, const WindowLayout& layout)
    : app_(app), layout_(layout), window_(app.platform().NewWindow(layout, *this)) {}

Form::~Form() = default;

void Form::Form_QueryUnload(bool&, int) {}

void Form::OnMouse(MouseEvent event, int control) {
  if (!app_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  const bool known = control >= 0 && control < static_cast<int>(layout_.controls.size());
  HandleMouse(event, known ? &layout_.controls[control] : nullptr);
}

void Form::OnCloseRequest(int unloadMode) {
  if (!app_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  app_.Unload(*this, unloadMode);
}

int Form::Id(const std::string& name, int index) const {
  return layout_.find(name, index);
}

bool Form::IsLoaded() const {
  return app_.IsLoaded(*this);
}

void Form::Unload() {
  app_.Unload(*this, kUnloadByProgram);
}

}  // namespace qv
