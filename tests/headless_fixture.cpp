// The headless test fixture.
#include "headless_fixture.h"

#include "settings/scramble.h"

namespace qv {
namespace {

KeyTables Keys() {
  KeyTables keys;
  keys.FillA();
  keys.FillB();
  return keys;
}

}  // namespace

void HeadlessTest::Start() {
  app = std::make_unique<App>(platform);
  app->LoadMenuWindow();
}

HeadlessWindow& HeadlessTest::Menu() {
  HeadlessWindow* menu = platform.Find("Form1");
  EXPECT_NE(menu, nullptr);
  return *menu;
}

HeadlessWindow& HeadlessTest::OpenSettings() {
  Menu().Click("Closer", 2);
  HeadlessWindow* settings = platform.Find("Form2");
  EXPECT_NE(settings, nullptr) << "the settings window did not open";
  return *settings;
}

void HeadlessTest::StoreSlot(int slot, const std::string& title, const std::string& path) {
  platform.store.Set(std::string("title") + std::to_string(slot),
                     ScrambleForwards(title, Keys().a));
  platform.store.Set(std::string("prog") + std::to_string(slot), ScrambleForwards(path, Keys().a));
}

void HeadlessTest::StorePassword(const std::string& password, bool inForce) {
  platform.store.Set("passwd", ScrambleForwards(password + "|||" + password, Keys().b));
  platform.store.Set("use", scramble(inForce ? "1" : "0", kFlagKey));
}

std::string HeadlessTest::StoredSlotText(const std::string& key) {
  return ScrambleBackwards(platform.store.Get(key).value_or(""), Keys().a);
}

std::string HeadlessTest::StoredPassword() {
  return ScrambleBackwards(platform.store.Get("passwd").value_or(""), Keys().b);
}

}  // namespace qv
