// Scramble and its key constants. The sentinel is derived from table A at compile time,
// so the two can never drift apart.
#include "settings/scramble.h"

#include <stdexcept>

namespace qv {
namespace {

constexpr std::array<std::string_view, 10> kTableA = {
    "M1eWrP3uIZ",  "35wyVpbDO0t", "dDFPu2OOjU", "z597TYG1TR", "tznn2keSri",
    "yRPwHaEbUOo", "lLr7GG4GWI",  "m2sTVPHQ8e", "mEeJ0Xf5VS", "5hBgtEzCyU"};

constexpr std::array<std::string_view, 10> kTableB = {
    "lb1bjKbdWZ", "rmhEu4Dgwh", "Ud7470jQd6", "0gMiaCCOW9", "ojAp0yWNvF",
    "h9lFpxIman", "DyMYYSBJBp", "NHWWLVih5d", "KnyIVacRRz", "aHDLGCyxaS"};

constexpr std::string_view kNone = "(none)";

constexpr std::array<char, 6> SentinelFromTableA() {
  std::array<char, 6> result{};
  for (std::size_t i = 0; i < result.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(kNone[i]);
    for (std::string_view key : kTableA) c ^= static_cast<unsigned char>(key[i % key.size()]);
    result[i] = static_cast<char>(c);
  }
  return result;
}

constexpr std::array<char, 6> kSentinel = SentinelFromTableA();
static_assert(static_cast<unsigned char>(kSentinel[0]) < 0x20 && kSentinel[0] != 0,
              "the slot sentinel must start with a control character");

void Fill(KeyTable& table, const std::array<std::string_view, 10>& constants) {
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = constants[i];
}

}  // namespace

const std::string_view kFlagKey = "uxvt98";

std::string Scramble(std::string_view text, std::string_view key) {
  std::string result(text.size(), '\0');
  if (text.empty()) return result;
  if (key.empty()) throw std::invalid_argument("scramble: empty key");
  std::size_t k = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    result[i] = static_cast<char>(text[i] ^ key[k]);
    if (++k == key.size()) k = 0;
  }
  return result;
}

void KeyTables::FillA() {
  Fill(a, kTableA);
}
void KeyTables::FillB() {
  Fill(b, kTableB);
}

std::string ScrambleThrough(std::string text, const KeyTable& table) {
  for (const std::string& key : table) text = Scramble(text, key);
  return text;
}

std::string_view SlotSentinel() {
  return {kSentinel.data(), kSentinel.size()};
}

}  // namespace qv
