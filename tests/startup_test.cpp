// Start-up: the single-instance outcome, what the first start shows, and ending the run.
#include "headless_fixture.h"
#include "startup/module1.h"

namespace qv {
namespace {

TEST(Module1, ADuplicateStartEndsBeforeItMakesAnything) {
  bool made = false;
  EXPECT_EQ(Main(true,
                 [&] {
                   made = true;
                   return std::unique_ptr<Platform>(new HeadlessPlatform);
                 }),
            0);
  EXPECT_FALSE(made);
}

TEST(Module1, AFirstStartLoadsTheMenuAndRunsTheLoop) {
  HeadlessPlatform* seen = nullptr;
  Main(false, [&] {
    auto platform = std::make_unique<HeadlessPlatform>();
    seen = platform.get();
    return std::unique_ptr<Platform>(std::move(platform));
  });
  ASSERT_NE(seen, nullptr);
}

using StartUp = HeadlessTest;

TEST_F(StartUp, FirstRunShowsOnlyTheTrayIconAndTheWelcomeWindow) {
  Start();
  EXPECT_TRUE(platform.tray.present);
  EXPECT_EQ(platform.tray.tooltip, "Velmora Tray Menu");
  EXPECT_EQ(platform.tray.icon, "qv");
  EXPECT_FALSE(Menu().visible);
  ASSERT_NE(Find("Form4"), nullptr);
  EXPECT_TRUE(Find("Form4")->visible);
  EXPECT_TRUE(platform.store.writtenKeys.empty()) << "start-up writes nothing";
  EXPECT_EQ(app->keys().a[0].size(), 10u) << "key tables filled while loading";
}

TEST_F(StartUp, TheWelcomeWindowStaysAwayOnlyForExactlyNo) {
  for (const char* show : {"No", "", "yes", "NO"}) {
    HeadlessPlatform p;
    p.store.Set("show", show);
    App a(p);
    a.LoadMenuWindow();
    EXPECT_NE(p.Find("Form4"), nullptr) << '"' << show << '"';
  }
  platform.store.Set("show", "no");
  Start();
  EXPECT_EQ(Find("Form4"), nullptr);
}

TEST_F(StartUp, ExitRemovesTheIconAndEndsWhateverIsOpen) {
  Start();
  platform.TrayMessage(514);
  OpenSettings();
  platform.TrayMessage(514);
  Menu().Click("Closer", 1);
  EXPECT_FALSE(platform.tray.present);
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(app->Ending());
  EXPECT_EQ(platform.tray.removes, 1);
}

TEST_F(StartUp, SessionEndRemovesTheIconAndEnds) {
  Start();
  platform.EndSession();
  EXPECT_FALSE(platform.tray.present);
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(platform.store.Get("show"), std::nullopt) << "the welcome window writes nothing";
}

TEST_F(StartUp, TheCloseKeystrokeOnlyHidesTheMenu) {
  Start();
  platform.TrayMessage(514);
  Menu().PressCloseKey();
  EXPECT_FALSE(Menu().visible);
  EXPECT_TRUE(platform.tray.present);
  EXPECT_FALSE(platform.ended);
  platform.TrayMessage(517);
  EXPECT_TRUE(Menu().visible);
}

TEST_F(StartUp, TheIconGoesWithTheMenuWindowObject) {
  Start();
  app.reset();  // destroyed without Exit: the termination handler still removes it
  EXPECT_FALSE(platform.tray.present);
}

}  // namespace
}  // namespace qv
