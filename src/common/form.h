// The base of the four windows: owns the platform window built from the form's
// declaration, and keeps the form alive while one of its handlers runs, so a handler
// may unload its own window (or wait in TimeOut while the user unloads it) safely.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace qv {

class App;

class Form : public WindowEvents, public std::enable_shared_from_this<Form> {
 public:
  Form(App& app, const WindowLayout& layout);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Runs once, right after the form is created.
  virtual void Form_Load() {}
  // Runs before the form unloads; setting cancel keeps it loaded.
  virtual void Form_QueryUnload(bool& cancel, int unloadMode);

  Window& window() { return *window_; }
  const WindowLayout& layout() const { return layout_; }

  void OnMouse(MouseEvent event, int control) final;
  void OnCloseRequest(int unloadMode) final;

 protected:
  // A mouse event over a control (nullptr: the window background).
  virtual void HandleMouse(MouseEvent event, const ControlLayout* control) = 0;

  int Id(const std::string& name, int index = kNoIndex) const;
  template <std::size_t N>
  std::array<int, N> Ids(const std::string& name) const {
    std::array<int, N> ids{};
    for (std::size_t i = 0; i < N; ++i) ids[i] = Id(name, static_cast<int>(i));
    return ids;
  }

  bool IsLoaded() const;
  void Unload();

  App& app_;
  const WindowLayout& layout_;
  std::unique_ptr<Window> window_;
};

// True when the control is the element of the named array (or the named single control).
inline bool Is(const ControlLayout* control, const char* name) {
  return control != nullptr && control->name == name;
}

}  // namespace qv
