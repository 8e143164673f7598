// The welcome window: its text, the switch written on Close, and its hover rules.
#include "headless_fixture.h"

namespace qv {
namespace {

class WelcomeWindowTest : public HeadlessTest {
 protected:
  HeadlessWindow& Welcome() {
    if (!app) Start();
    return platform.Loaded("WelcomeWindow");
  }
};

// The welcome window loads before the menu reads the colours: it reads them itself.
TEST_F(WelcomeWindowTest, ReadsTheColoursItself) {
  platform.store.Set("clr1", "255");
  EXPECT_EQ(Welcome().Back("Clo"), 255u);
  EXPECT_EQ(Welcome().State("Check1").value, 0);
}

TEST_F(WelcomeWindowTest, CloseWritesTheSwitch) {
  platform.store.Set("show", "yes");
  Welcome().Click("Clo");
  EXPECT_EQ(platform.store.Get("show"), "yes");
  EXPECT_EQ(Find("WelcomeWindow"), nullptr);

  app.reset();
  Welcome().Click("Check1");
  Welcome().Click("Clo");
  EXPECT_EQ(platform.store.Get("show"), "no");

  app.reset();
  EXPECT_EQ(Find("WelcomeWindow"), nullptr);
  Start();
  EXPECT_EQ(Find("WelcomeWindow"), nullptr) << "switched off for the next start";
  platform.store.Set("show", "yes");
  app.reset();
  Welcome().Click("Check1");
  Welcome().Click("Check1");
  Welcome().Click("Clo");
  EXPECT_EQ(platform.store.Get("show"), "yes");
}

// A switch that cannot be saved is said, never dropped in silence; the window stays for
// another try, which saves once the store can be written again.
TEST_F(WelcomeWindowTest, AFailedWriteIsSaidAndTheWindowStays) {
  platform.store.writesBeforeFailure = 0;
  Welcome().Click("Check1");
  Welcome().Click("Clo");
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(Welcome().State("Check1").value, 1);
  platform.store.writesBeforeFailure = -1;
  Welcome().Click("Clo");
  EXPECT_EQ(platform.store.Get("show"), "no");
  EXPECT_EQ(Find("WelcomeWindow"), nullptr);
}

// The texts and pictures leave the highlight; the switch and the window rest it.
TEST_F(WelcomeWindowTest, CloseHighlightsOnlyOverItself) {
  platform.store.Set("clr2", "255");
  const Place close{"Clo"};
  ExpectHoverWalk(Welcome(), {close},
                  {{close, {close}},
                   {{"Label1"}, {close}},
                   {{"Picture1"}, {close}},
                   {{"Image1"}, {close}},
                   {{"Check1"}, {}},
                   {close, {close}},
                   {{""}, {}}},
                  255);
}

}  // namespace
}  // namespace qv
