// The stored format of every setting in one place: one named reader and writer per key
// and reading rule, scrambling included. Readers never fail; each takes the default the
// calling window has always used, so the default stays written at the call.
#pragma once

#include <string>
#include <string_view>

#include "common/colour.h"
#include "settings/scramble.h"
#include "settings/store.h"

namespace qv {

// The two texts of a user slot: `title`n (the menu text) and `prog`n (the program).
enum class SlotField { Title, Program };

// Slot n (1 to 7) unscrambled through table A; the sentinel reads as "(none)". The
// fallback is the stored (scrambled) text assumed for a missing key.
std::string ReadSlot(SettingsStore& store, const KeyTable& tableA, SlotField field, int slot,
                     std::string_view fallback);
bool WriteSlot(SettingsStore& store, const KeyTable& tableA, SlotField field, int slot,
               std::string_view text);

// `passwd`: the pair "password|||password" scrambled through table B, or the unset pair
// stored as it is. Reads the text before the first "|||".
std::string ReadPassword(SettingsStore& store, const KeyTable& tableB,
                         std::string_view fallbackPair);
bool WritePassword(SettingsStore& store, const KeyTable& tableB, std::string_view password);

// `use`, the password switch, scrambled with the flag key. Read two ways on purpose: the
// prompt counts an empty value as off; the settings window takes the value of its check
// box, reading the unscrambled "0" as off.
bool ReadPasswordInForce(SettingsStore& store, std::string_view fallback);
int ReadPasswordSwitch(SettingsStore& store, std::string_view fallback);
bool WritePasswordSwitch(SettingsStore& store, int value);

// `start`: whether the program starts at logon, as a check box value.
int ReadStartAtLogon(SettingsStore& store, std::string_view fallback);
bool WriteStartAtLogon(SettingsStore& store, int value);

// `show`: the welcome window shows at start unless the value is exactly "no".
bool ReadShowWelcome(SettingsStore& store, std::string_view fallback);
bool WriteShowWelcome(SettingsStore& store, bool show);

// `clr1` and `clr2`, the colour table; a value that is not a valid colour gives the
// fallback's colour.
ColourTable ReadColours(SettingsStore& store, ColourTable fallback);

}  // namespace qv
