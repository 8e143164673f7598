// The headless test fixture.
#include "headless_fixture.h"

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

void ExpectHoverWalk(HeadlessWindow& window, const std::vector<Place>& labels,
                     const std::vector<HoverStep>& steps, Colour hover) {
  auto hovered = [](const HoverStep& step, const Place& label) {
    for (const Place& p : step.hovered)
      if (std::string(p.name) == label.name && p.index == label.index) return true;
    return false;
  };
  for (const HoverStep& step : steps) {
    window.MouseMove(step.to.name, step.to.index);
    for (const Place& label : labels)
      EXPECT_EQ(window.Back(label.name, label.index),
                hovered(step, label) ? hover : kDefaultResting)
          << label.name << "(" << label.index << ") after a move to " << step.to.name << "("
          << step.to.index << ")";
  }
}

void HeadlessTest::Start() {
  app = std::make_unique<App>(platform);
  app->Load<MenuWindow>();
}

HeadlessWindow& HeadlessTest::Menu() {
  return platform.Loaded("MenuWindow");
}

HeadlessWindow& HeadlessTest::OpenSettings() {
  Menu().Click("Closer", 2);
  return platform.Loaded("SettingsWindow");
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
