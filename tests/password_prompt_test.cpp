// The password prompt: skipped when no password is in force, one try otherwise.
#include "headless_fixture.h"
#include "settings/scramble.h"

namespace qv {
namespace {

class PasswordPromptTest : public HeadlessTest {
 protected:
  void SetUp() override { platform.store.Set("show", "no"); }
  HeadlessWindow& Prompt() {
    if (!app) Start();
    Menu().Click("Closer", 2);
    return platform.Loaded("PasswordPrompt");
  }
  // Types into the prompt and presses Ok; true when the settings window opened.
  bool Answer(const std::string& typed) {
    HeadlessWindow& prompt = Prompt();
    prompt.Type("Passwd", kNoIndex, typed);
    prompt.Click("Sett", 0);
    EXPECT_EQ(Find("PasswordPrompt"), nullptr) << "the prompt always closes";
    HeadlessWindow* settings = Find("SettingsWindow");
    if (settings) settings->Click("Sett", 1);
    return settings != nullptr;
  }
};

TEST_F(PasswordPromptTest, WithoutAPasswordInForceItNeverShows) {
  for (const char* use : {"", "0"}) {
    if (*use) platform.store.Set("use", Scramble(use, kFlagKey));
    Restart();
    bool promptSeen = true;
    platform.duringWait.push_back([&] { promptSeen = platform.Loaded("PasswordPrompt").visible; });
    Menu().Click("Closer", 2);
    EXPECT_FALSE(promptSeen) << '"' << use << '"';
    ASSERT_FALSE(platform.waits.empty()) << "no pause before the settings window";
    EXPECT_NEAR(platform.waits.back(), 0.5, 1e-9);
    EXPECT_EQ(Find("PasswordPrompt"), nullptr);
    EXPECT_TRUE(platform.Loaded("SettingsWindow").visible);
  }
}

// The menu's "Settings" hides the menu and shows the prompt.
TEST_F(PasswordPromptTest, TheRightPasswordOpensTheSettingsWithoutAPause) {
  StorePassword("Open Sesame", true);
  Start();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  HeadlessWindow& prompt = Prompt();
  EXPECT_FALSE(Menu().visible);
  EXPECT_TRUE(prompt.visible);
  EXPECT_EQ(prompt.TextOf("Passwd"), "");
  prompt.Type("Passwd", kNoIndex, "Open Sesame");
  prompt.Click("Sett", 0);
  EXPECT_NE(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(Find("PasswordPrompt"), nullptr);
  EXPECT_TRUE(platform.waits.empty());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PasswordPromptTest, AnythingElseIsWrongAndGetsOneMessage) {
  StorePassword("Open Sesame", true);
  for (const char* typed : {"open sesame", "Open Sesame ", "", "Open"}) {
    platform.messages.clear();
    EXPECT_FALSE(Answer(typed)) << '"' << typed << '"';
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "Wrong Password");
    EXPECT_EQ(platform.messages[0].style, MessageStyle::OkOnly);
    EXPECT_EQ(platform.messages[0].caption, "QV");
  }
}

// An unstored password is the marker itself; only the text before the separator counts.
TEST_F(PasswordPromptTest, TheStoredPairIsReadAsEarlierBuildsWroteIt) {
  platform.store.Set("use", Scramble("1", kFlagKey));
  EXPECT_FALSE(Answer(""));
  EXPECT_TRUE(Answer("(none)"));
  StorePassword("abc|||def", true);
  EXPECT_FALSE(Answer("abc|||def"));
  EXPECT_TRUE(Answer("abc"));
}

TEST_F(PasswordPromptTest, CancelClosesSilentlyAndTheMenuStaysHidden) {
  StorePassword("Open Sesame", true);
  HeadlessWindow& prompt = Prompt();
  prompt.Click("Sett", 1);
  EXPECT_EQ(Find("PasswordPrompt"), nullptr);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(Menu().visible);
}

// The box and the strip leave the highlight; the frame and the window rest it.
TEST_F(PasswordPromptTest, HoverMovesBetweenTheTwoLabels) {
  StorePassword("Open Sesame", true);
  const Place ok{"Sett", 0}, cancel{"Sett", 1};
  ExpectHoverWalk(Prompt(), {ok, cancel},
                  {{ok, {ok}},
                   {cancel, {cancel}},
                   {{"Passwd"}, {cancel}},
                   {{"Image1"}, {cancel}},
                   {{"Frame1"}, {}},
                   {ok, {ok}},
                   {{""}, {}}});
}

}  // namespace
}  // namespace qv
