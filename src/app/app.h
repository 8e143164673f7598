// The application object: the process-wide state (colour table, key tables), the pause
// every handler may take (TimeOut) and the four windows, at most one of each. The menu
// window lives for the whole run; the others are created on load and dropped on unload.
// Windows reach each other through it.
#pragma once

#include <array>
#include <memory>

#include "app/form.h"
#include "common/colour.h"
#include "platform/platform.h"
#include "settings/scramble.h"

namespace qv {

class MenuWindow;

class App final {
 public:
  explicit App(Platform& platform);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Platform& platform() { return platform_; }
  ColourTable& colours() { return colours_; }
  KeyTables& keys() { return keys_; }

  // The loaded window of that kind, created (and initialised) only when none is loaded.
  // The load may unload it again: check IsLoaded before using it.
  template <class F>
  std::shared_ptr<F> Load();
  // Loads the window and shows it, unless its load unloaded it (then nullptr).
  template <class F>
  std::shared_ptr<F> Open();
  template <class F>
  F* Loaded() const {
    return ending_ ? nullptr : static_cast<F*>(Slot(F::kId).get());
  }
  // The menu window; a template only so that this header need not know MenuWindow.
  template <class Menu = MenuWindow>
  Menu& menu() {
    return *static_cast<Menu*>(Slot(Menu::kId).get());
  }

  // Runs the window's closing handler and, unless it cancels, unloads it.
  void Unload(Form& form, UnloadMode mode);
  bool IsLoaded(const Form& form) const;

  // Lets every window's handlers run for that many seconds, blocking in between, then
  // returns. A handler that waited checks that its window is still loaded.
  void TimeOut(double seconds);
  // The menu shows the slots as stored now.
  void RefreshMenu();

  // Ends the program at once; every window counts as unloaded from here on.
  void End();
  bool Ending() const { return ending_; }

 private:
  std::shared_ptr<Form>& Slot(FormId id) { return forms_[static_cast<int>(id)]; }
  const std::shared_ptr<Form>& Slot(FormId id) const { return forms_[static_cast<int>(id)]; }

  Platform& platform_;
  ColourTable colours_;
  KeyTables keys_;
  std::array<std::shared_ptr<Form>, static_cast<int>(FormId::Count)> forms_;
  bool ending_ = false;
};

template <class F>
std::shared_ptr<F> App::Load() {
  std::shared_ptr<Form>& slot = Slot(F::kId);
  if (slot || ending_) return std::static_pointer_cast<F>(slot);
  auto form = std::make_shared<F>(*this);
  slot = form;
  form->Form_Initialize();
  return form;
}

template <class F>
std::shared_ptr<F> App::Open() {
  std::shared_ptr<F> form = Load<F>();
  if (!form || !IsLoaded(*form)) return nullptr;
  form->window().Show();
  return form;
}

}  // namespace qv
