// Unloading the windows, the pause, and ending the run.
#include "app/app.h"

namespace qv {

App::App(Platform& platform) : platform_(platform) {}

// Windows go before the platform objects they hold, in the order of their ids.
App::~App() {
  for (auto& form : forms_) form.reset();
}

void App::Unload(Form& form, UnloadMode mode) {
  if (!IsLoaded(form)) return;
  bool cancel = false;
  form.Form_QueryUnload(cancel, mode);
  if (cancel || !IsLoaded(form)) return;
  form.window().Close();
  if (&form == Slot(FormId::Menu).get()) {
    End();  // without its menu and tray icon the program has nothing left to offer
    return;
  }
  Slot(form.id()).reset();  // freed now, or when its running handler returns
}

bool App::IsLoaded(const Form& form) const {
  return !ending_ && Slot(form.id()).get() == &form;
}

void App::TimeOut(double seconds) {
  if (seconds <= 0) return;
  platform_.RunEventsUntil(platform_.Now() + seconds);
}

void App::RefreshMenu() {
  if (Form* menu = Slot(FormId::Menu).get(); menu && !ending_) menu->ReadSettings();
}

void App::End() {
  if (ending_) return;
  ending_ = true;
  platform_.EndProgram();
}

}  // namespace qv
