// Scramble and the stored format: values saved by earlier builds, and how the Windows
// store keeps texts of any script.
#include <gtest/gtest.h>

#include <stdexcept>

#include "headless_fixture.h"
#include "settings/codec.h"
#include "settings/stored_text.h"

namespace qv {
namespace {

// The repeating key and the stored bytes are pinned by StoredFormat below; here only what
// its values cannot show: empty texts never read the key, and an empty key is refused.
TEST(Scramble, EmptyTextsAndEmptyKeys) {
  EXPECT_EQ(Scramble("", "anykey"), "");
  EXPECT_EQ(Scramble("", ""), "");
  EXPECT_THROW(Scramble("x", ""), std::invalid_argument);
}

// The stored format, pinned by values saved by earlier builds: a changed character in a
// key table or the flag key would lock users out of their own settings.
TEST(StoredFormat, ReadsAndWritesWhatEarlierBuildsStored) {
  const KeyTables& keys = FilledKeys();
  HeadlessStore store;
  const std::string title = "\x7A\x61\x01\x7B\x5A\x2A\x7D";
  const std::string path =
      "\x77\x34\x29\x49\x43\x25\x7D\x71\x28\x12\x39\x4D\x5A\x43\x5F\x34\x4E\x7B\x4D\x61\x79\x17";
  const std::string password =
      "\x2F\x2D\x4A\x35\x68\x5E\x19\x0F\x3C\x54\x20\x3B\x4C\x24\x7F\x4F\x54\x0F\x79";
  WriteSlot(store, keys.a, SlotField::Title, 1, "Notepad");
  WriteSlot(store, keys.a, SlotField::Program, 1, "C:\\Windows\\notepad.exe");
  WritePassword(store, keys.b, "secret99");
  WritePasswordSwitch(store, 1);
  EXPECT_EQ(store.Get("title1"), title);
  EXPECT_EQ(store.Get("prog1"), path);
  EXPECT_EQ(store.Get("passwd"), password);
  EXPECT_EQ(store.Get("use"), "\x44");
  EXPECT_TRUE(ReadPasswordInForce(store, ""));
  EXPECT_EQ(ReadPassword(store, keys.b, kUnsetPasswordPair), "secret99");
  store.Set("use", "\x45");  // "0" as stored
  EXPECT_EQ(ReadPasswordSwitch(store, "0"), 0);
  EXPECT_EQ(ReadSlot(store, keys.a, SlotField::Title, 2, "\x1C\x60\x1A\x70\x4F\x62"), "(none)")
      << "the slot sentinel of earlier builds";
}

// How Windows keeps the texts: Latin-1 text one byte a character, as builds before
// Unicode stored it (so their values read as before), any other text as UTF-8.
TEST(StoredText, LatinOneAsEarlierBuildsAnyOtherTextAsUtf8) {
  struct Case {
    const char* what;
    std::string text, stored;
  };
  const std::vector<Case> cases = {
      {"ASCII", "C:\\Tools\\mail.exe", "C:\\Tools\\mail.exe"},
      {"Latin-1", "C:\\T\xC3\xABst\\caf\xC3\xA9", "C:\\T\xEBst\\caf\xE9"},
      {"Cyrillic", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
       "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"Chinese after Latin-1", "C:\\T\xC3\xABst\\\xE7\xA8\x8B.exe",
       "C:\\T\xC3\xABst\\\xE7\xA8\x8B.exe"},
      {"an emoji", "Mail \xF0\x9F\x98\x80", "Mail \xF0\x9F\x98\x80"},
      {"Latin-1 that looks like UTF-8", "\xC3\x83\xC2\xA9", "\xC3\xA9"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Latin1WhereItFits(c.text), c.stored) << c.what;
    EXPECT_EQ(Utf8FromStored(c.stored), c.text) << c.what;
  }
}

}  // namespace
}  // namespace qv
