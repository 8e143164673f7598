// The base of the four windows: owns the platform window built from the window's
// declaration, and keeps the window alive while one of its handlers runs, so a handler
// may unload its own window (or wait in TimeOut while the user unloads it) safely.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace qv {

class App;

// One id per window (each window class names its own as kId), in the order they are
// destroyed at the end of the run: the menu last, as it outlives the others.
enum class FormId { Settings, Password, Welcome, Menu, Count };

class Form : public WindowEvents, public std::enable_shared_from_this<Form> {
 public:
  Form(App& app, FormId id, const WindowLayout& layout);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Runs once, right after the window is created: loads it.
  virtual void Form_Initialize() { Form_Load(); }
  virtual void Form_Load() {}
  // A key pressed while the window has the keyboard focus.
  virtual void Form_KeyDown(Key) {}
  // Runs before the window unloads; setting cancel keeps it loaded.
  virtual void Form_QueryUnload(bool& cancel, UnloadMode mode);
  // Shows what the store holds now (the menu's slots, the settings window's boxes).
  virtual void ReadSettings() {}

  FormId id() const { return id_; }
  Window& window() { return *window_; }
  const WindowLayout& layout() const { return layout_; }

  void OnMouse(MouseEvent event, int control) final;
  void OnKey(Key key) final;
  void OnCloseRequest(UnloadMode mode) final;

 protected:
  // A mouse event over a control (kWindowItself: the window background).
  virtual void HandleMouse(MouseEvent event, int control) = 0;

  bool IsLoaded() const;
  void Unload();

  App& app_;
  const WindowLayout& layout_;

 private:
  const FormId id_;
  std::unique_ptr<Window> window_;
};

}  // namespace qv
