// The repeating-key exclusive-or that keeps the password, its switch and the user slots
// out of plain sight in the settings store, with its fixed keys. Obscuring, not
// encryption: the keys are constants of the program.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qv {

using KeyTable = std::array<std::string, 10>;

// Text position i meets key character (i mod key length); the same call undoes itself.
// An empty key with a non-empty text is a caller's fault: it throws std::invalid_argument.
std::string Scramble(std::string_view text, std::string_view key);

// The two process-wide tables: A for the slots, B for the password.
struct KeyTables {
  KeyTable a;
  KeyTable b;
  void FillA();
  void FillB();
};

// The one key of the password switch.
extern const std::string_view kFlagKey;

// Runs a text through the ten keys of a table. Stored values were written through keys 0
// to 9 and read back through 9 to 0, but exclusive-or does not care about order: one
// pass gives the same bytes both ways, and undoes itself.
std::string ScrambleThrough(std::string text, const KeyTable& table);

// What an unset slot holds: six characters, the first a control character. Chosen so
// that, unscrambled through table A, it reads as the marker "(none)".
std::string_view SlotSentinel();

}  // namespace qv
