// Saving the settings window's values: every key and the start-at-logon entry as one
// transaction, so a save that fails leaves the store and the entry as they were.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/run_entry.h"
#include "settings/scramble.h"
#include "settings/store.h"

namespace qv {

// What the settings window holds when the user presses Ok; slot n at element n-1.
struct SettingsSnapshot {
  static constexpr int kSlots = 7;
  std::string password;
  std::array<std::string, kSlots> titles;
  std::array<std::string, kSlots> programs;
  int passwordSwitch = 0;  // check box values: 0, 1 or 2
  int startAtLogon = 0;
  bool showWelcome = true;
};

// What the user is told when settings could not be saved.
constexpr const char* kSettingsNotSaved =
    "The settings could not be saved. Everything you typed is still here: press Ok to try again.";

enum class SaveOutcome {
  Saved,
  NotSaved,             // nothing changed: the store and the entry are as they were
  SavedButEntryFailed,  // every key saved; adding or removing the entry failed
};

// Writes every key in the fixed order, the start-at-logon entry before `start`, and
// commits them together. The entry is named for programPath.
SaveOutcome SaveAll(SettingsStore& store, RunEntries& entries, const KeyTables& keys,
                    std::string_view programPath, const SettingsSnapshot& snapshot);

}  // namespace qv
