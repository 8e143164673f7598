// A running QV on the headless backend, with helpers to store settings as the settings
// window would and to read them back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "headless/headless_platform.h"
#include "menu/menu_window.h"

namespace qv {

// A place the pointer goes: a control, or an element of a control array.
struct Place {
  const char* name;
  int index = kNoIndex;
};
// A move of the pointer, and the labels then in the hover colour: all others rest.
struct HoverStep {
  Place to;
  std::vector<Place> hovered;
};
// Walks the pointer over a window, checking every one of its clickable labels each step.
void ExpectHoverWalk(HeadlessWindow& window, const std::vector<Place>& labels,
                     const std::vector<HoverStep>& steps, Colour hover = kDefaultHover);

// The key tables as the program fills them, for values stored scrambled.
const KeyTables& FilledKeys();

class HeadlessTest : public ::testing::Test {
 protected:
  // Starts the program: the menu window loads as at start-up.
  void Start();
  // Ends the program without a trace and starts it again over the same store.
  void Restart();
  HeadlessWindow& Menu();
  HeadlessWindow* Find(const std::string& name) { return platform.Find(name); }
  // Opens the settings window through the menu's "Settings" entry.
  HeadlessWindow& OpenSettings();
  // The same when a password is in force: answers the prompt with the typed text.
  HeadlessWindow& OpenSettingsWithPassword(const std::string& typed);

  // Stores a slot's title and path scrambled, as a save does.
  void StoreSlot(int slot, const std::string& title, const std::string& path);
  void StorePassword(const std::string& password, bool inForce);
  std::string StoredSlotText(const std::string& key);  // unscrambled
  std::string StoredPassword();                        // unscrambled pair

  HeadlessPlatform platform;
  std::unique_ptr<App> app;
};

}  // namespace qv
