// The settings window: loading, checking and saving, program selection, the password
// switch, Reset, reported failures and its hover feedback.
#include "headless_fixture.h"
#include "settings/run_entry.h"
#include "settings/scramble.h"

namespace qv {
namespace {

class SettingsWindowTest : public HeadlessTest {
 protected:
  void SetUp() override { platform.programPath = "/opt/qv/qv"; }
  HeadlessWindow& Open() {
    if (!app) Start();
    return OpenSettings();
  }
  void TypePasswords(HeadlessWindow& w, const std::string& first, const std::string& second) {
    w.Click("Check1");
    w.Type("Passwd", 0, first);
    w.Type("Passwd", 1, second);
  }
};

// The first opening shows the defaults, and an Ok at once stores them.
TEST_F(SettingsWindowTest, FirstRunShowsTheDefaultsAndOkStoresThemScrambledInOrder) {
  platform.runEntries.entries["qv"] = "/opt/qv/qv";
  HeadlessWindow& w = Open();
  EXPECT_TRUE(w.visible);
  EXPECT_TRUE(w.topmost);
  for (int i : {0, 1}) EXPECT_EQ(w.TextOf("Passwd", i), "(none)");
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(w.TextOf("prog", k), "(none)");
    EXPECT_EQ(w.TextOf("title", k), "(none)");
  }
  EXPECT_EQ(w.State("Check1").value, 0);
  EXPECT_EQ(w.State("Check2").value, 0);
  EXPECT_EQ(w.State("Check3").value, 1);
  EXPECT_TRUE(platform.store.writtenKeys.empty());
  EXPECT_EQ(Find("PasswordPrompt"), nullptr) << "no password: the prompt closed unseen";
  w.Click("Sett", 0);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(StoredPassword(), "(none)|||(none)");
  EXPECT_NE(platform.store.Get("passwd"), "(none)|||(none)") << "stored scrambled";
  EXPECT_EQ(platform.store.Get("use"), Scramble("0", kFlagKey)) << "one byte";
  EXPECT_EQ(platform.store.Get("show"), "yes");
  EXPECT_EQ(platform.store.Get("start"), "0");
  EXPECT_EQ(StoredSlotText("title3"), "(none)");
  EXPECT_EQ(StoredSlotText("prog7"), "(none)");
  const std::vector<std::string> order = {
      "passwd", "title1", "title2", "title3", "title4", "title5", "title6", "title7", "prog1",
      "prog2",  "prog3",  "prog4",  "prog5",  "prog6",  "prog7",  "use",    "show",   "start"};
  EXPECT_EQ(platform.store.writtenKeys, order);
  EXPECT_TRUE(platform.runEntries.entries.empty()) << "unticked: the entry is removed";
  ASSERT_FALSE(platform.waits.empty()) << "no pause after the save";
  EXPECT_NEAR(platform.waits.back(), 0.2, 1e-9);
  EXPECT_EQ(Menu().TextOf("menu1", 5), "(none)") << "the menu reloaded at once";
}

TEST_F(SettingsWindowTest, SavedValuesComeBackExactly) {
  HeadlessWindow& w = Open();
  TypePasswords(w, "S3cret pass", "S3cret pass");
  const std::string high = "\x80\xA0\xE9\xFF";
  for (int k = 0; k < 7; ++k) {
    platform.fileAnswers.push_back(std::string("/opt/My Apps/prog ") + std::to_string(k) + high);
    w.Click("Sel", k);
    w.Type("title", k, std::string("T ") + std::to_string(k) + high);
  }
  w.Type("title", 6, "");
  w.Click("Check2");
  w.Click("Check3");
  w.Click("Sett", 0);
  ASSERT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(StoredPassword(), "S3cret pass|||S3cret pass");
  EXPECT_EQ(platform.store.Get("title7"), "") << "an empty box writes the empty string";
  EXPECT_EQ(platform.runEntries.entries["qv"], "/opt/qv/qv");
  EXPECT_EQ(Menu().TextOf("menu1", 5), "T 0" + high);
  EXPECT_EQ(app->menu().SlotPath(7), "/opt/My Apps/prog 6" + high);

  StorePassword("S3cret pass", false);  // reopen without the prompt's question
  HeadlessWindow& again = OpenSettings();
  EXPECT_EQ(again.TextOf("Passwd", 0), "S3cret pass");
  EXPECT_EQ(again.TextOf("Passwd", 1), "S3cret pass");
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(again.TextOf("prog", k),
              std::string("/opt/My Apps/prog ") + std::to_string(k) + high);
    EXPECT_EQ(again.TextOf("title", k), std::string("T ") + std::to_string(k) + high);
  }
  EXPECT_EQ(again.TextOf("title", 6), "");
  EXPECT_EQ(again.State("Check2").value, 1);
  EXPECT_EQ(again.State("Check3").value, 0);
}

TEST_F(SettingsWindowTest, PasswordChecksRunInOrderAndWriteNothing) {
  struct Case {
    std::string first, second, message;
  };
  const std::vector<Case> cases = {
      {"12345", "12345", "Password Length has to be 6 chars or more!"},
      {"abc", "xyz", "Password Length has to be 6 chars or more!"},  // only the first message
      {"Secret", "secret", "Password Does Not Match"},
      {"Secret", "Secret ", "Password Does Not Match"},
      {"abc|||xyz", "abc|||xyz", "Password May Not Contain |||"}};  // "abc" would open it
  HeadlessWindow& w = Open();
  w.Type("Passwd", 0, "typed");  // the boxes are disabled: typing does nothing yet
  EXPECT_EQ(w.TextOf("Passwd", 0), "(none)");
  for (const Case& c : cases) {
    TypePasswords(w, c.first, c.second);
    w.Click("Check1");
    platform.messages.clear();
    w.Click("Sett", 0);
    ASSERT_EQ(platform.messages.size(), 1u) << c.first;
    EXPECT_EQ(platform.messages[0].text, c.message);
    EXPECT_EQ(platform.messages[0].style, MessageStyle::OkOnly);
    EXPECT_EQ(platform.messages[0].caption, "QV");
    ASSERT_EQ(Find("SettingsWindow"), &w) << "the window stays open";
  }
  EXPECT_TRUE(platform.store.writtenKeys.empty());
  w.Click("Check1");
  w.Type("Passwd", 0, "      ");  // six blanks count
  w.Type("Passwd", 1, "      ");
  w.Click("Sett", 0);
  EXPECT_EQ(StoredPassword(), "      |||      ");
}

// UTF-8 texts (Linux) count characters; ANSI texts (Windows) count bytes.
TEST_F(SettingsWindowTest, LengthCountsCharactersOfThePlatformsTexts) {
  const std::string fiveUmlauts = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6";  // ten bytes
  HeadlessWindow& w = Open();
  w.Click("Check1");
  w.Type("Passwd", 0, fiveUmlauts);
  w.Type("Passwd", 1, fiveUmlauts);
  w.Click("Sett", 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Password Length has to be 6 chars or more!");
  platform.utf8 = false;
  w.Click("Sett", 0);
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(StoredPassword(), fiveUmlauts + "|||" + fiveUmlauts);
}

// The password switch enables the boxes and keeps their texts; stored switches are read
// forgivingly; a loaded switch sets the boxes.
TEST_F(SettingsWindowTest, TheSwitchesAndTheBoxesTheyGovern) {
  platform.store.Set("use", "0");  // unscrambled "0": used as it stands
  platform.store.Set("start", "abc");
  platform.store.Set("show", "No");
  HeadlessWindow& w = Open();
  EXPECT_EQ(w.State("Check1").value, 0);
  EXPECT_EQ(w.State("Check2").value, 0);
  EXPECT_EQ(w.State("Check3").value, 1);
  w.Click("Check1");
  EXPECT_TRUE(w.State("Passwd", 0).enabled && w.State("Passwd", 1).enabled);
  w.Type("Passwd", 0, "kept text");
  w.Click("Check1");
  EXPECT_FALSE(w.State("Passwd", 0).enabled || w.State("Passwd", 1).enabled);
  EXPECT_EQ(w.TextOf("Passwd", 0), "kept text");
  w.Click("Sett", 1);

  StorePassword("hunter22", true);
  HeadlessWindow& loaded = OpenSettingsWithPassword("hunter22");
  EXPECT_EQ(loaded.State("Check1").value, 1);
  EXPECT_TRUE(loaded.State("Passwd", 0).enabled);
  EXPECT_EQ(loaded.TextOf("Passwd", 1), "hunter22");
}

// The dialog sets only the path, and a cancelled one unsets it; nothing is written before
// Ok, and Cancel writes nothing at all.
TEST_F(SettingsWindowTest, SelectSetsOnlyThePathAndCancelWritesNothing) {
  StoreSlot(3, "(none)", "/usr/bin/old");
  HeadlessWindow& w = Open();
  platform.fileAnswers.push_back("/usr/bin/new tool");
  w.Click("Sel", 2);
  EXPECT_EQ(w.TextOf("prog", 2), "/usr/bin/new tool");
  EXPECT_EQ(w.TextOf("title", 2), "(none)");
  w.Click("Sel", 2);  // cancelled
  ASSERT_EQ(platform.dialogs.size(), 2u);
  EXPECT_EQ(platform.dialogs[0].currentFile, "/usr/bin/old") << "opens where the slot's program is";
  EXPECT_EQ(platform.dialogs[1].currentFile, "/usr/bin/new tool");
  EXPECT_EQ(w.TextOf("prog", 2), "(none)");
  w.Type("title", 0, "Edited");
  w.Click("Check2");
  w.Click("Sett", 1);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(StoredSlotText("prog3"), "/usr/bin/old");
  EXPECT_TRUE(platform.store.writtenKeys.empty());
  EXPECT_TRUE(platform.runEntries.calls.empty());
}

TEST_F(SettingsWindowTest, ResetReloadsTheStoreOnlyOnYes) {
  StoreSlot(1, "Mail", "/usr/bin/mail");
  platform.store.Set("show", "no");
  HeadlessWindow& w = Open();
  w.Type("title", 0, "Edited");
  w.MouseMove("Sett", 2);
  platform.messageAnswers.push_back(Answer::No);
  w.Click("Sett", 2);
  EXPECT_EQ(w.TextOf("title", 0), "Edited");
  EXPECT_EQ(w.Back("Sett", 2), kDefaultHover) << "No changes nothing";
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages.back().text, "Are you sure that you want to reset all settings?");
  EXPECT_EQ(platform.messages.back().caption, "Reset Settings?");
  EXPECT_EQ(platform.messages.back().style, MessageStyle::YesNoQuestion);

  platform.messageAnswers.push_back(Answer::Yes);
  std::string clearedDuringPause;
  platform.duringWait.push_back([&] { clearedDuringPause = w.TextOf("title", 0); });
  w.Click("Sett", 2);
  EXPECT_EQ(clearedDuringPause, "");
  ASSERT_FALSE(platform.waits.empty()) << "no pause while clearing";
  EXPECT_NEAR(platform.waits.back(), 0.1, 1e-9);
  EXPECT_EQ(w.TextOf("title", 0), "Mail");
  EXPECT_EQ(w.TextOf("prog", 0), "/usr/bin/mail");
  EXPECT_EQ(w.State("Check3").value, 1) << "ticked whatever the store holds";
  EXPECT_EQ(w.Back("Sett", 2), kDefaultResting);
  EXPECT_TRUE(platform.store.writtenKeys.empty());
}

// A write refused part-way, or a commit that fails (a full disk): nothing is stored, the
// start-at-logon entry stays as it was, and every edit waits for another try.
TEST_F(SettingsWindowTest, AFailedSaveChangesNothingAndKeepsEveryEdit) {
  platform.runEntries.entries["old"] = "/opt/old/old";
  HeadlessWindow& w = Open();
  w.Type("title", 0, "Edited");
  w.Click("Check2");
  for (bool commitFails : {false, true}) {
    platform.store.writesBeforeFailure = commitFails ? -1 : 3;
    platform.store.commitsFail = commitFails;
    platform.messages.clear();
    w.Click("Sett", 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("could not be saved"), std::string::npos);
    EXPECT_EQ(platform.messages[0].caption, "QV");
    ASSERT_EQ(Find("SettingsWindow"), &w) << "the window stays open";
    EXPECT_EQ(w.TextOf("title", 0), "Edited");
    EXPECT_TRUE(platform.store.writtenKeys.empty()) << commitFails;
    EXPECT_EQ(platform.runEntries.entries.size(), 1u) << "no entry added: " << commitFails;
    if (!commitFails) {
      EXPECT_TRUE(platform.runEntries.calls.empty()) << "nor touched at all";
    }
    EXPECT_EQ(Menu().TextOf("menu1", 5), "") << "the menu did not reload a failed save";
  }
  platform.store.commitsFail = false;
  w.Click("Sett", 0);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(StoredSlotText("title1"), "Edited");
  EXPECT_EQ(platform.runEntries.entries["qv"], "/opt/qv/qv");

  Menu().Click("Closer", 2);  // unticked, the entry is removed only by a save that holds
  platform.Loaded("SettingsWindow").Click("Check2");
  platform.store.commitsFail = true;
  platform.Loaded("SettingsWindow").Click("Sett", 0);
  EXPECT_EQ(platform.runEntries.entries.count("qv"), 1u);
}

TEST_F(SettingsWindowTest, AStartAtLogonFailureIsToldButTheRestIsSaved) {
  platform.runEntries.failing = true;
  HeadlessWindow& w = Open();
  w.Click("Check2");
  w.Click("Sett", 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "The settings were saved, but QV could not be set to start at logon.");
  EXPECT_EQ(platform.store.Get("start"), "1");
  EXPECT_EQ(Find("SettingsWindow"), nullptr);

  platform.messages.clear();
  Menu().Click("Closer", 2);  // unticked now: removing fails too
  platform.Loaded("SettingsWindow").Click("Check2");
  platform.Loaded("SettingsWindow").Click("Sett", 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("could not be kept from starting"), std::string::npos);
}

// The Sett labels leave the Sel labels alone; the window's background rests only the
// commands, Frame2 every label; a box has no mouse-move handling.
TEST_F(SettingsWindowTest, HoverFollowsTheTableOfEachPlace) {
  HeadlessWindow& w = Open();
  const Place sel1{"Sel", 1}, sel4{"Sel", 4}, sett0{"Sett", 0}, sett1{"Sett", 1};
  ExpectHoverWalk(w,
                  {{"Sel", 0},
                   sel1,
                   {"Sel", 2},
                   {"Sel", 3},
                   sel4,
                   {"Sel", 5},
                   {"Sel", 6},
                   sett0,
                   sett1,
                   {"Sett", 2}},
                  {{sel1, {sel1}},
                   {sel4, {sel4}},
                   {sett0, {sel4, sett0}},
                   {sett1, {sel4, sett1}},
                   {{"title", 0}, {sel4, sett1}},
                   {{""}, {sel4}},
                   {{"Sett", 2}, {sel4, {"Sett", 2}}},
                   {{"Frame2"}, {}},
                   {{"Sel", 0}, {{"Sel", 0}}}});
  w.Click("Sett", 2);  // any command click rests the Sel labels first (Reset, then No)
  EXPECT_EQ(w.Back("Sel", 0), kDefaultResting);
  EXPECT_EQ(Find("SettingsWindow"), &w);
}

TEST_F(SettingsWindowTest, TheStripDragsEveryWindowButTheMenu) {
  StorePassword("Open Sesame", true);
  Start();
  OpenSettingsWithPassword("Open Sesame");
  for (const char* name : {"MenuWindow", "SettingsWindow", "WelcomeWindow"})
    ASSERT_NE(Find(name), nullptr) << name;
  StorePassword("again", true);
  Menu().Click("Closer", 2);
  for (const char* name : {"MenuWindow", "SettingsWindow", "PasswordPrompt", "WelcomeWindow"}) {
    Find(name)->MouseDown("Image1");
    EXPECT_EQ(Find(name)->drags, std::string(name) == "MenuWindow" ? 0 : 1) << name;
  }
}

}  // namespace
}  // namespace qv
