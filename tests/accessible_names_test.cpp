// What a screen reader announces, read from the four windows' declarations: every window
// has a name, and every control a user can click, tick or type into has a name of its own.
#include <gtest/gtest.h>

#include <set>

#include "menu/menu_window.h"
#include "windows/password/password_prompt.h"
#include "windows/settings/settings_window.h"
#include "windows/welcome/welcome_window.h"

namespace qv {
namespace {

bool Operable(const ControlLayout& control) {
  return (control.look & kClickable) || control.kind == ControlKind::CheckBox ||
         (control.tabOrder >= 0 && !(control.look & kHidden));
}

void ExpectEveryOperableControlNamedOnce(const WindowLayout& window) {
  EXPECT_FALSE(window.accessibleName.empty()) << window.name;
  std::set<std::string> names;
  for (const ControlLayout& control : window.controls) {
    if (!Operable(control)) continue;
    const std::string name = AccessibleNameOf(control);
    EXPECT_FALSE(name.empty()) << window.name << " " << control.name << control.index;
    EXPECT_TRUE(names.insert(name).second) << window.name << " repeats \"" << name << '"';
  }
}

TEST(AccessibleNames, EveryWindowAndEveryControlAUserOperatesHasItsOwnName) {
  ExpectEveryOperableControlNamedOnce(MenuWindow::Declare().layout);
  ExpectEveryOperableControlNamedOnce(SettingsWindow::Declare().layout);
  ExpectEveryOperableControlNamedOnce(PasswordPrompt::Declare().layout);
  ExpectEveryOperableControlNamedOnce(WelcomeWindow::Declare().layout);
}

}  // namespace
}  // namespace qv
