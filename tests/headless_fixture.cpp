// The headless test fixture.
#include "headless_fixture.h"

#include "settings/codec.h"

namespace qv {

const KeyTables& FilledKeys() {
  static const KeyTables keys = [] {
    KeyTables filled;
    filled.FillA();
    filled.FillB();
    return filled;
  }();
  return keys;
}

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

void HeadlessTest::Restart() {
  app.reset();
  platform.ended = false;
  Start();
}

HeadlessWindow& HeadlessTest::Menu() {
  return platform.Loaded("MenuWindow");
}

HeadlessWindow& HeadlessTest::OpenSettings() {
  Menu().Click("Closer", 2);
  return platform.Loaded("SettingsWindow");
}

HeadlessWindow& HeadlessTest::OpenSettingsWithPassword(const std::string& typed) {
  Menu().Click("Closer", 2);
  platform.Loaded("PasswordPrompt").Type("Passwd", kNoIndex, typed);
  platform.Loaded("PasswordPrompt").Click("Sett", 0);
  return platform.Loaded("SettingsWindow");
}

// Seeds through the settings window's own writers, without counting as the program's writes.
void HeadlessTest::StoreSlot(int slot, const std::string& title, const std::string& path) {
  const std::size_t writes = platform.store.writtenKeys.size();
  WriteSlot(platform.store, FilledKeys().a, SlotField::Title, slot, title);
  WriteSlot(platform.store, FilledKeys().a, SlotField::Program, slot, path);
  platform.store.writtenKeys.resize(writes);
}

void HeadlessTest::StorePassword(const std::string& password, bool inForce) {
  const std::size_t writes = platform.store.writtenKeys.size();
  WritePassword(platform.store, FilledKeys().b, password);
  WritePasswordSwitch(platform.store, inForce ? 1 : 0);
  platform.store.writtenKeys.resize(writes);
}

std::string HeadlessTest::StoredSlotText(const std::string& key) {
  return ScrambleThrough(platform.store.Get(key).value_or(""), FilledKeys().a);
}

std::string HeadlessTest::StoredPassword() {
  return ScrambleThrough(platform.store.Get("passwd").value_or(""), FilledKeys().b);
}

}  // namespace qv
