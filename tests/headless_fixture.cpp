// The headless test fixture.
#include "headless_fixture.h"

#include <stdexcept>

#include "settings/codec.h"

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
  app->Load<MenuWindow>();
}

// A missing window ends the test as a failure (gtest reports the exception), never as
// a crash on a null reference.
HeadlessWindow& HeadlessTest::Menu() {
  HeadlessWindow* menu = platform.Find("MenuWindow");
  if (!menu) throw std::logic_error("the menu window is not loaded");
  return *menu;
}

HeadlessWindow& HeadlessTest::OpenSettings() {
  Menu().Click("Closer", 2);
  HeadlessWindow* settings = platform.Find("SettingsWindow");
  if (!settings) throw std::logic_error("the settings window did not open");
  return *settings;
}

// Seeds through the settings window's own writers, without counting as the program's writes.
void HeadlessTest::StoreSlot(int slot, const std::string& title, const std::string& path) {
  const std::size_t writes = platform.store.writtenKeys.size();
  WriteSlot(platform.store, Keys().a, SlotField::Title, slot, title);
  WriteSlot(platform.store, Keys().a, SlotField::Program, slot, path);
  platform.store.writtenKeys.resize(writes);
}

void HeadlessTest::StorePassword(const std::string& password, bool inForce) {
  const std::size_t writes = platform.store.writtenKeys.size();
  WritePassword(platform.store, Keys().b, password);
  WritePasswordSwitch(platform.store, inForce ? 1 : 0);
  platform.store.writtenKeys.resize(writes);
}

std::string HeadlessTest::StoredSlotText(const std::string& key) {
  return ScrambleThrough(platform.store.Get(key).value_or(""), Keys().a);
}

std::string HeadlessTest::StoredPassword() {
  return ScrambleThrough(platform.store.Get("passwd").value_or(""), Keys().b);
}

}  // namespace qv
