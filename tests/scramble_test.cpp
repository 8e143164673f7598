// scramble and the key constants: round trips of every byte, key reuse, and the
// properties the stored format depends on.
#include <gtest/gtest.h>

#include "all_bytes.h"

#include <set>
#include <stdexcept>

#include "settings/scramble.h"

namespace qv {
namespace {

KeyTables Filled() {
  KeyTables keys;
  keys.FillA();
  keys.FillB();
  return keys;
}

TEST(Scramble, EveryByteRoundTripsThroughBothChains) {
  const KeyTables keys = Filled();
  const std::string text = AllBytes();
  const std::string slot = ScrambleForwards(text, keys.a);
  const std::string password = ScrambleForwards(text, keys.b);
  EXPECT_NE(slot, text);
  EXPECT_NE(password, slot);
  EXPECT_EQ(ScrambleBackwards(slot, keys.a), text);
  EXPECT_EQ(ScrambleBackwards(password, keys.b), text);
  EXPECT_EQ(scramble(scramble(text, kFlagKey), kFlagKey), text);
}

TEST(Scramble, KeepsLengthAndXorsPositionByPosition) {
  EXPECT_EQ(scramble("", "anykey"), "");
  EXPECT_EQ(scramble("", ""), "");  // the key is not read for an empty text
  EXPECT_EQ(scramble("abc", "abc"), std::string(3, '\0'));
  EXPECT_EQ(scramble("\x01\x02", "AB"), std::string("@@"));
  EXPECT_THROW(scramble("x", ""), std::invalid_argument);
}

TEST(Scramble, LongTextsReuseTheKeyFromItsFirstCharacter) {
  const std::string key = "0123456789";
  const std::string text(25, '\0');
  const std::string out = scramble(text, key);  // x ^ 0 shows the key character met
  EXPECT_EQ(out, "0123456789012345678901234");
  EXPECT_EQ(out[0], out[10]);
}

TEST(Scramble, ElevenCharacterKeysMeetElevenCharacterTextsOnce) {
  const KeyTables keys = Filled();
  ASSERT_EQ(keys.a[1].size(), 11u);
  EXPECT_EQ(scramble(std::string(11, '\0'), keys.a[1]), keys.a[1]);
  EXPECT_EQ(scramble(std::string(12, '\0'), keys.a[5]), keys.a[5] + keys.a[5][0]);
}

TEST(KeyConstants, HaveTheStoredFormatsShape) {
  const KeyTables keys = Filled();
  const std::size_t lengthsA[] = {10, 11, 10, 10, 10, 11, 10, 10, 10, 10};
  std::set<std::string> distinct;
  auto alphanumeric = [](const std::string& key) {
    for (char c : key)
      if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
  };
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(keys.a[i].size(), lengthsA[i]) << "A" << i;
    EXPECT_EQ(keys.b[i].size(), 10u) << "B" << i;
    EXPECT_TRUE(alphanumeric(keys.a[i]) && alphanumeric(keys.b[i]));
    distinct.insert(keys.a[i]);
    distinct.insert(keys.b[i]);
  }
  EXPECT_EQ(distinct.size(), 20u);
  ASSERT_EQ(kFlagKey.size(), 6u);
  for (char c : kFlagKey) EXPECT_TRUE(std::islower(c) || std::isdigit(c));
}

TEST(SlotSentinel, IsAControlCharacterTextThatReadsAsNone) {
  const KeyTables keys = Filled();
  const std::string sentinel(SlotSentinel());
  ASSERT_EQ(sentinel.size(), 6u);
  EXPECT_LT(static_cast<unsigned char>(sentinel[0]), 0x20);
  EXPECT_EQ(ScrambleBackwards(sentinel, keys.a), "(none)");
}

TEST(SwitchValue, IsStoredAsOneCharacter) {
  EXPECT_EQ(scramble("1", kFlagKey).size(), 1u);
  EXPECT_NE(scramble("0", kFlagKey), "0");  // a stored "0" is always the unscrambled default
}

}  // namespace
}  // namespace qv
