// The application object: the process-wide state (colour table, key tables) and the
// four windows, at most one of each. Form1 lives for the whole run; the others are
// created on load and dropped on unload. Windows reach each other through it.
#pragma once

#include <memory>
#include <tuple>

#include "common/colour.h"
#include "platform/platform.h"
#include "settings/scramble.h"

namespace qv {

class Form;
class Form1;
class Form2;
class Form3;
class Form4;

class App {
 public:
  explicit App(Platform& platform);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Platform& platform() { return platform_; }
  ColourTable& colours() { return colours_; }
  KeyTables& keys() { return keys_; }

  // Creates the menu window hidden and runs its initialisation.
  void LoadMenuWindow();
  Form1& menu() { return *std::get<std::shared_ptr<Form1>>(forms_); }

  // The loaded window of that kind, created (and its load run) only when none is loaded.
  // The load may unload it again: check IsLoaded before using it.
  template <class F>
  std::shared_ptr<F> Load();
  template <class F>
  F* Loaded() const {
    return ending_ ? nullptr : std::get<std::shared_ptr<F>>(forms_).get();
  }

  // Runs the window's closing handler and, unless it cancels, unloads it.
  void Unload(Form& form, int unloadMode);
  bool IsLoaded(const Form& form) const;

  // Ends the program at once; every window counts as unloaded from here on.
  void End();
  bool Ending() const { return ending_; }

 private:
  template <class F>
  bool Release(Form& form);

  Platform& platform_;
  ColourTable colours_;
  KeyTables keys_;
  std::tuple<std::shared_ptr<Form1>, std::shared_ptr<Form2>, std::shared_ptr<Form3>,
             std::shared_ptr<Form4>>
      forms_;
  bool ending_ = false;
};

template <class F>
std::shared_ptr<F> App::Load() {
  auto& slot = std::get<std::shared_ptr<F>>(forms_);
  if (slot || ending_) return slot;
  auto form = std::make_shared<F>(*this);
  slot = form;
  form->Form_Load();
  return form;
}

}  // namespace qv
