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

class Form;

// One id per window (each window class names its own as kId), in the order they are
// destroyed at the end of the run: the menu last, as it outlives the others.
enum class FormId { Settings, Password, Welcome, Menu, Count };

// What a window needs of the application that owns it.
class FormHost {
 public:
  virtual Platform& platform() = 0;
  virtual bool IsLoaded(const Form& form) const = 0;
  // Runs the window's closing handler and, unless it cancels, unloads it.
  virtual void Unload(Form& form, UnloadMode mode) = 0;

 protected:
  ~FormHost() = default;
};

class Form : public WindowEvents, public std::enable_shared_from_this<Form> {
 public:
  Form(FormHost& host, FormId id, const WindowLayout& layout);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Runs once, right after the form is created: loads it.
  virtual void Form_Initialize() { Form_Load(); }
  virtual void Form_Load() {}
  // A key pressed while the form has the keyboard focus.
  virtual void Form_KeyDown(Key) {}
  // Runs before the form unloads; setting cancel keeps it loaded.
  virtual void Form_QueryUnload(bool& cancel, UnloadMode mode);

  FormId id() const { return id_; }
  Window& window() { return *window_; }
  const WindowLayout& layout() const { return layout_; }

  void OnMouse(MouseEvent event, int control) final;
  void OnKey(Key key) final;
  void OnCloseRequest(UnloadMode mode) final;

 protected:
  // A mouse event over a control (kWindowItself: the window background).
  virtual void HandleMouse(MouseEvent event, int control) = 0;

  // The control's id; a name the layout does not hold is a programming error and throws.
  int Id(const std::string& name, int index = kNoIndex) const;
  template <std::size_t N>
  std::array<int, N> Ids(const std::string& name) const {
    std::array<int, N> ids{};
    for (std::size_t i = 0; i < N; ++i) ids[i] = Id(name, static_cast<int>(i));
    return ids;
  }

  bool IsLoaded() const;
  void Unload();

  const WindowLayout& layout_;

 private:
  const FormId id_;
  FormHost& host_;
  std::unique_ptr<Window> window_;
};

}  // namespace qv
