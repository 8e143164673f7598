// Start-up: the single-instance outcome, what the first start shows, and ending the run.
#include "startup/startup.h"
#include "headless_fixture.h"

namespace qv {
namespace {

TEST(Main, ADuplicateStartEndsBeforeItMakesAnything) {
  bool made = false;
  EXPECT_EQ(Main(true,
                 [&] {
                   made = true;
                   return std::unique_ptr<Platform>(new HeadlessPlatform);
                 }),
            0);
  EXPECT_FALSE(made);
}

TEST(Main, AFirstStartLoadsTheMenuAndRunsTheLoop) {
  bool looped = false, menuLoaded = false, iconShown = false;
  Main(false, [&] {
    auto platform = std::make_unique<HeadlessPlatform>();
    platform->duringExec = [&, seen = platform.get()] {
      looped = true;
      menuLoaded = seen->Find("MenuWindow") != nullptr;
      iconShown = seen->tray.present;
    };
    return std::unique_ptr<Platform>(std::move(platform));
  });
  EXPECT_TRUE(looped);
  EXPECT_TRUE(menuLoaded);
  EXPECT_TRUE(iconShown);
}

using StartUp = HeadlessTest;

// The first start shows the icon and the welcome window, which stays away at later
// starts only for exactly "no".
TEST_F(StartUp, FirstRunShowsOnlyTheTrayIconAndTheWelcomeWindow) {
  Start();
  EXPECT_TRUE(platform.tray.present);
  EXPECT_EQ(platform.tray.tooltip, "Velmora Tray Menu");
  EXPECT_EQ(platform.tray.icon, "qv");
  EXPECT_FALSE(Menu().visible);
  EXPECT_TRUE(platform.Loaded("WelcomeWindow").visible);
  EXPECT_TRUE(platform.store.writtenKeys.empty()) << "start-up writes nothing";
  for (const char* show : {"No", "", "yes", "NO"}) {
    platform.store.Set("show", show);
    Restart();
    EXPECT_NE(Find("WelcomeWindow"), nullptr) << '"' << show << '"';
  }
}

// Exit, the session's end and the menu window object's destruction without Exit (the
// termination handler) each take the icon away.
TEST_F(StartUp, EveryEndRemovesTheIcon) {
  Start();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  OpenSettings();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  Menu().Click("Closer", 1);
  EXPECT_FALSE(platform.tray.present);
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(app->Ending());
  EXPECT_EQ(platform.tray.removes, 1);

  Restart();
  platform.EndSession();
  EXPECT_FALSE(platform.tray.present);
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(platform.store.Get("show"), std::nullopt) << "the welcome window writes nothing";

  Restart();
  app.reset();
  EXPECT_FALSE(platform.tray.present);

  Restart();
  platform.ExitRequest();  // the installer asks a running QV to end
  EXPECT_FALSE(platform.tray.present);
  EXPECT_TRUE(platform.ended);
}

TEST_F(StartUp, DamagedValuesStillGiveAWorkingProgram) {
  platform.store.Set("clr1", "abc");
  platform.store.Set("clr2", "4294967296");
  platform.store.Set("start", "abc");
  platform.store.Set("use", "\x7f\x01garbage");  // unscrambles to no number: not in force
  platform.store.Set("passwd", "");
  platform.store.Set("title1", std::string(10 * 1024 * 1024, 'x'));
  Start();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  Menu().MouseMove("menu1", 0);
  EXPECT_EQ(Menu().Back("menu1", 0), kDefaultHover);
  EXPECT_EQ(Menu().Back("menu1", 1), kDefaultResting);
  HeadlessWindow& settings = OpenSettings();
  EXPECT_EQ(settings.State("Check2").value, 0);
  EXPECT_EQ(settings.TextOf("Passwd", 0), "") << "an empty stored password reads as empty";
  settings.Click("Check1");
  settings.Type("Passwd", 0, "secret1");
  settings.Type("Passwd", 1, "secret1");
  settings.Click("Sett", 0);
  EXPECT_EQ(Find("SettingsWindow"), nullptr) << "and it saves again";
}

}  // namespace
}  // namespace qv
