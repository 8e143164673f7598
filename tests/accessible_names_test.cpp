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

std::string NameOf(const WindowLayout& window, const char* control, int index = kNoIndex) {
  return AccessibleNameOf(window.controls.at(window.find(control, index)));
}

TEST(AccessibleNames, EveryWindowAndEveryControlAUserOperatesHasItsOwnName) {
  ExpectEveryOperableControlNamedOnce(Form1::Declare().layout);
  ExpectEveryOperableControlNamedOnce(Form2::Declare().layout);
  ExpectEveryOperableControlNamedOnce(Form3::Declare().layout);
  ExpectEveryOperableControlNamedOnce(Form4::Declare().layout);
}

TEST(AccessibleNames, BoxesAreNamedForWhatTheyHoldAndCaptionsLoseTheirPadding) {
  const WindowLayout settings = Form2::Declare().layout;
  EXPECT_EQ(NameOf(settings, "prog", 2), "Program of slot 3");
  EXPECT_EQ(NameOf(settings, "title", 2), "Menu text of slot 3");
  EXPECT_EQ(NameOf(settings, "Passwd", 1), "Repeat password");
  EXPECT_EQ(NameOf(settings, "Check2"), "Start QV With Windows");
  EXPECT_EQ(NameOf(settings, "Sett", 2), "Reset");
  EXPECT_EQ(NameOf(Form1::Declare().layout, "Closer", 0), "Hide Menu");
  EXPECT_EQ(Form1::Declare().layout.role, WindowRole::Menu);
  EXPECT_EQ(Form2::Declare().layout.role, WindowRole::Dialog);
}

}  // namespace
}  // namespace qv
