// Clicks during the pauses of TimeOut and during modal boxes: nothing may crash, touch
// an unloaded window or load a window twice. Run under the sanitizers by ./test.
#include "headless_fixture.h"

namespace qv {
namespace {

class ReentrancyTest : public HeadlessTest {
 protected:
  void SetUp() override {
    platform.store.Set("show", "no");
    Start();
  }
};

TEST_F(ReentrancyTest, CancelDuringTheSavePauseClosesOnce) {
  HeadlessWindow& w = OpenSettings();
  platform.duringWait.push_back([&] { w.Click("Sett", 1); });
  w.Type("title", 2, "Saved");
  w.Click("Sett", 0);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(StoredSlotText("title3"), "Saved") << "the save itself had finished";
  EXPECT_EQ(Menu().TextOf("menu1", 7), "Saved") << "and the menu shows it";
}

TEST_F(ReentrancyTest, ClosingDuringTheStartAtLogonMessageStillReloadsTheMenu) {
  platform.runEntries.failing = true;
  HeadlessWindow& w = OpenSettings();
  w.Type("title", 0, "Saved");
  platform.duringMessage.push_back([&] { w.PressCloseKey(); });
  w.Click("Sett", 0);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(Menu().TextOf("menu1", 5), "Saved");
}

TEST_F(ReentrancyTest, SettingsAgainDuringTheSavePauseKeepsOneSettingsWindow) {
  HeadlessWindow& w = OpenSettings();
  w.Type("title", 0, "Edited");
  HeadlessWindow* during = nullptr;
  platform.duringWait.push_back([&] {
    Menu().Click("Closer", 2);  // the prompt skips, finds the window loaded, shows it
    during = Find("SettingsWindow");
  });
  w.Click("Sett", 0);
  EXPECT_EQ(during, &w) << "loading a loaded window does not load it again";
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(Find("PasswordPrompt"), nullptr);
  EXPECT_EQ(Menu().TextOf("menu1", 5), "Edited");
}

TEST_F(ReentrancyTest, OkAgainDuringTheSavePauseSavesTwiceAndClosesOnce) {
  HeadlessWindow& w = OpenSettings();
  platform.duringWait.push_back([&] { w.Click("Sett", 0); });
  w.Click("Sett", 0);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(platform.store.writtenKeys.size(), 36u);
}

TEST_F(ReentrancyTest, ExitDuringAnyPauseEndsWithoutTouchingTheWindows) {
  HeadlessWindow& w = OpenSettings();
  platform.duringWait.push_back([&] { Menu().Click("Closer", 1); });
  w.Click("Sett", 0);
  EXPECT_TRUE(platform.ended);
  EXPECT_FALSE(platform.tray.present);
  EXPECT_EQ(app->menu().SlotTitle(1), "") << "no reload after the end";
}

TEST_F(ReentrancyTest, ClicksDuringThePromptsPause) {
  // Cancel the freshly opened settings window, then choose "Settings" again mid-pause:
  // the prompt is still loaded, so it is only shown, not loaded a second time.
  bool promptShown = false;
  platform.duringWait.push_back([&] {
    platform.Loaded("SettingsWindow").Click("Sett", 1);
    Menu().Click("Closer", 2);
    promptShown = Find("PasswordPrompt") && Find("PasswordPrompt")->visible;
  });
  Menu().Click("Closer", 2);
  EXPECT_TRUE(promptShown);
  EXPECT_EQ(Find("PasswordPrompt"), nullptr) << "its own load still unloads it";
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(platform.waits.size(), 1u);
  Menu().Click("Closer", 2);
  EXPECT_NE(Find("SettingsWindow"), nullptr) << "and the next choice works as usual";
}

TEST_F(ReentrancyTest, ExitDuringThePromptsPause) {
  platform.duringWait.push_back([&] { Menu().Click("Closer", 1); });
  Menu().Click("Closer", 2);
  EXPECT_TRUE(platform.ended);
}

TEST_F(ReentrancyTest, CancelDuringTheResetPause) {
  HeadlessWindow& w = OpenSettings();
  platform.messageAnswers.push_back(Answer::Yes);
  platform.duringWait.push_back([&] { w.Click("Sett", 1); });
  w.Click("Sett", 2);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
}

TEST_F(ReentrancyTest, ExitWhileTheResetQuestionIsOpen) {
  HeadlessWindow& w = OpenSettings();
  platform.messageAnswers.push_back(Answer::Yes);
  platform.duringMessage.push_back([&] { Menu().Click("Closer", 1); });
  w.Click("Sett", 2);
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(platform.waits.size() == 1) << "only the prompt's pause; Reset stopped";
}

TEST_F(ReentrancyTest, TheWelcomeWindowClosedWhileSettingsSave) {
  app.reset();
  platform.store.Set("show", "yes");
  Start();
  HeadlessWindow& w = OpenSettings();
  platform.duringWait.push_back([&] { platform.Loaded("WelcomeWindow").Click("Clo"); });
  w.Click("Sett", 0);
  EXPECT_EQ(Find("WelcomeWindow"), nullptr);
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
}

}  // namespace
}  // namespace qv
