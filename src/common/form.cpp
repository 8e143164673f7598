// Event routing and lifetime of the windows.
#include "common/form.h"

#include "startup/app.h"

namespace qv {

Form::Form(App& app, const WindowSpec& spec)
    : app_(app), spec_(spec), window_(app.platform().NewWindow(spec, *this)) {}

Form::~Form() = default;

void Form::Form_QueryUnload(bool&, int) {}

void Form::OnMouse(MouseEvent event, int control) {
  if (!app_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  const bool known = control >= 0 && control < static_cast<int>(spec_.controls.size());
  HandleMouse(event, known ? &spec_.controls[control] : nullptr);
}

void Form::OnCloseRequest(int unloadMode) {
  if (!app_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  app_.Unload(*this, unloadMode);
}

int Form::Id(const std::string& name, int index) const {
  return spec_.find(name, index);
}

bool Form::IsLoaded() const {
  return app_.IsLoaded(*this);
}

void Form::Unload() {
  app_.Unload(*this, kUnloadByProgram);
}

}  // namespace qv
