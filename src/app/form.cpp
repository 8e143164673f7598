// Event routing and lifetime of the windows.
#include "app/form.h"

#include <stdexcept>

namespace qv {

Form::Form(FormHost& host, FormId id, const WindowLayout& layout)
    : layout_(layout), id_(id), host_(host), window_(host.platform().NewWindow(layout, *this)) {}

Form::~Form() = default;

void Form::Form_QueryUnload(bool&, UnloadMode) {}

void Form::OnMouse(MouseEvent event, int control) {
  if (!host_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  const bool known = control >= 0 && control < static_cast<int>(layout_.controls.size());
  HandleMouse(event, known ? control : kWindowItself);
}

void Form::OnKey(Key key) {
  if (!host_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  Form_KeyDown(key);
}

void Form::OnCloseRequest(UnloadMode mode) {
  if (!host_.IsLoaded(*this)) return;
  auto keepAlive = shared_from_this();
  host_.Unload(*this, mode);
}

int Form::Id(const std::string& name, int index) const {
  const int id = layout_.find(name, index);
  if (id < 0) throw std::logic_error(layout_.name + " has no control " + name);
  return id;
}

bool Form::IsLoaded() const {
  return host_.IsLoaded(*this);
}

void Form::Unload() {
  host_.Unload(*this, UnloadMode::ByProgram);
}

}  // namespace qv
