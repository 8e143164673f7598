// The save transaction: hold the store, write the keys, add or remove the entry, write
// `start`, commit; on failure drop the held keys and undo the entry if it was touched.
#include "settings/save.h"

#include "settings/codec.h"

namespace qv {
namespace {

// Adds or removes the entry as the check box value says (2 leaves it); false on failure.
bool UpdateEntry(RunEntries& entries, std::string_view programPath, int wanted) {
  if (wanted == 0) return RemoveRunValue(entries, programPath);
  if (wanted == 1) return AddRunValue(entries, programPath);
  return true;
}

bool WriteKeysBeforeEntry(SettingsStore& store, const KeyTables& keys,
                          const SettingsSnapshot& snapshot) {
  if (!WritePassword(store, keys.b, snapshot.password)) return false;
  for (int k = 0; k < SettingsSnapshot::kSlots; ++k)
    if (!WriteSlot(store, keys.a, SlotField::Title, k + 1, snapshot.titles[k])) return false;
  for (int k = 0; k < SettingsSnapshot::kSlots; ++k)
    if (!WriteSlot(store, keys.a, SlotField::Program, k + 1, snapshot.programs[k])) return false;
  return WritePasswordSwitch(store, snapshot.passwordSwitch) &&
         WriteShowWelcome(store, snapshot.showWelcome);
}

}  // namespace

SaveOutcome SaveAll(SettingsStore& store, RunEntries& entries, const KeyTables& keys,
                    std::string_view programPath, const SettingsSnapshot& snapshot) {
  const int wanted = snapshot.startAtLogon;
  const bool hadEntry = entries.HasRunValue(entries.RunValueNameOf(programPath));
  store.Hold();
  if (!WriteKeysBeforeEntry(store, keys, snapshot)) {
    store.Discard();
    return SaveOutcome::NotSaved;  // the entry was not reached
  }
  const bool entryDone = UpdateEntry(entries, programPath, wanted);
  if (WriteStartAtLogon(store, wanted) && store.Commit())
    return entryDone ? SaveOutcome::Saved : SaveOutcome::SavedButEntryFailed;
  store.Discard();
  if (wanted == 0 && hadEntry) AddRunValue(entries, programPath);
  if (wanted == 1 && !hadEntry) RemoveRunValue(entries, programPath);
  return SaveOutcome::NotSaved;
}

}  // namespace qv
