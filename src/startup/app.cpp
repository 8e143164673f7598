// Loading and unloading the windows.
#include "startup/app.h"

#include "menu/form1.h"
#include "windows/password/form3.h"
#include "windows/settings/form2.h"
#include "windows/welcome/form4.h"

namespace qv {

App::App(Platform& platform) : platform_(platform) {}

// Windows go before the platform objects they hold; the menu last, like the run.
App::~App() {
  std::get<std::shared_ptr<Form2>>(forms_).reset();
  std::get<std::shared_ptr<Form3>>(forms_).reset();
  std::get<std::shared_ptr<Form4>>(forms_).reset();
  std::get<std::shared_ptr<Form1>>(forms_).reset();
}

void App::LoadMenuWindow() {
  auto& slot = std::get<std::shared_ptr<Form1>>(forms_);
  if (slot) return;
  slot = std::make_shared<Form1>(*this);
  slot->Form_Initialize();
}

template <class F>
bool App::Release(Form& form) {
  auto& slot = std::get<std::shared_ptr<F>>(forms_);
  if (slot.get() != &form) return false;
  slot.reset();  // freed now, or when its running handler returns
  return true;
}

void App::Unload(Form& form, int unloadMode) {
  if (!IsLoaded(form)) return;
  bool cancel = false;
  form.Form_QueryUnload(cancel, unloadMode);
  if (cancel || !IsLoaded(form)) return;
  form.window().Close();
  if (&form == std::get<std::shared_ptr<Form1>>(forms_).get()) {
    End();  // without its menu and tray icon the program has nothing left to offer
    return;
  }
  Release<Form2>(form) || Release<Form3>(form) || Release<Form4>(form);
}

bool App::IsLoaded(const Form& form) const {
  if (ending_) return false;
  return std::get<std::shared_ptr<Form1>>(forms_).get() == &form ||
         std::get<std::shared_ptr<Form2>>(forms_).get() == &form ||
         std::get<std::shared_ptr<Form3>>(forms_).get() == &form ||
         std::get<std::shared_ptr<Form4>>(forms_).get() == &form;
}

void App::End() {
  if (ending_) return;
  ending_ = true;
  platform_.EndProgram();
}

}  // namespace qv
