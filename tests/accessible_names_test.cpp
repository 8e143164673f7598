// What a screen reader announces, read from the four windows' declarations: every window
// has a name, and every control a user can click, tick or type into has a name of its own.
#include <gtest/gtest.h>

#include <set>

#include "menu/form1.h"
#include "windows/password/form3.h"
#include "windows/settings/form2.h"
#include "windows/welcome/form4.h"

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
  ExpectEveryOperableControlNamedOnce(Form1::Declare().layout);
  ExpectEveryOperableControlNamedOnce(Form2::Declare().layout);
  ExpectEveryOperableControlNamedOnce(Form3::Declare().layout);
  ExpectEveryOperableControlNamedOnce(Form4::Declare().layout);
}

}  // namespace
}  // namespace qv
