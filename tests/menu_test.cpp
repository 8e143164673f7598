// The menu window: showing and placing it, hover highlighting, commands and the slots.
#include "headless_fixture.h"
#include "settings/scramble.h"

namespace qv {
namespace {

constexpr Colour kRest = kDefaultResting;
constexpr Colour kHover = kDefaultHover;

class MenuTest : public HeadlessTest {
 protected:
  void SetUp() override {
    platform.store.Set("show", "no");
    Start();
  }
  // Every entry's background, menu1(0..11) then Closer(0..2).
  std::vector<Colour> Backs() {
    std::vector<Colour> backs;
    for (int i = 0; i < 12; ++i) backs.push_back(Menu().Back("menu1", i));
    for (int i = 0; i < 3; ++i) backs.push_back(Menu().Back("Closer", i));
    return backs;
  }
  std::vector<Colour> OnlyHovered(int position) {
    std::vector<Colour> backs(15, kRest);
    if (position >= 0) backs[position] = kHover;
    return backs;
  }
};

// Only a button's release shows the menu, each time placed anew in the corner: the full
// screen, 200 twips from its right and bottom edges.
TEST_F(MenuTest, ButtonReleasesShowTheMenuInTheCorner) {
  for (int code : {512, 513, 515, 516, 519, 520, 0x0203, 0x0207}) {
    platform.TrayMessage(static_cast<TrayMessage>(code));
    EXPECT_FALSE(Menu().visible) << code;
  }
  platform.TrayMessage(TrayMessage::RightButtonUp);
  EXPECT_TRUE(Menu().visible);
  EXPECT_TRUE(Menu().topmost);
  EXPECT_FLOAT_EQ(Menu().left, 1024 * 15 - 2265 - 200);
  EXPECT_FLOAT_EQ(Menu().top, 768 * 15 - 3840 - 200);
  // Shown already in the corner, not first at the place it had before.
  EXPECT_EQ(Menu().shownAt, std::make_pair(Menu().left, Menu().top));
  platform.screen = {0, 0, 1920 * 15, 1080 * 15};
  const int moves = Menu().moves;
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  EXPECT_TRUE(Menu().visible);
  EXPECT_EQ(Menu().moves, moves + 1);
  EXPECT_FLOAT_EQ(Menu().left, 1920 * 15 - 2465);
  EXPECT_FLOAT_EQ(Menu().top, 1080 * 15 - 4040);
  // The icon's monitor right of another at +1280+0, or below one at +0+1024.
  for (TwipArea monitor : {TwipArea{1280 * 15, 0, 1920 * 15, 1080 * 15},
                           TwipArea{0, 1024 * 15, 1280 * 15, 800 * 15}}) {
    platform.screen = monitor;
    platform.TrayMessage(TrayMessage::LeftButtonUp);
    EXPECT_FLOAT_EQ(Menu().left, monitor.left + monitor.width - 2465);
    EXPECT_FLOAT_EQ(Menu().top, monitor.top + monitor.height - 4040);
  }
}

// Where the pointer goes, and which entry is then grey (-1: none; 12 to 14: Closer 0 to
// 2). Every colour is checked after every move, across the groups both ways.
TEST_F(MenuTest, HoverFollowsThePointerOverEveryPlace) {
  struct Step {
    const char* name;
    int index, grey;
  };
  const Step steps[] = {{"menu1", 3, 3},    {"menu1", 11, 11},        {"Closer", 0, 12},
                        {"menu1", 0, 0},    {"Closer", 1, 13},        {"Closer", 2, 14},
                        {"menu1", 5, 5},    {"Image1", kNoIndex, -1}, {"Closer", 1, 13},
                        {"", kNoIndex, -1}, {"Closer", 2, 14},        {"menu1", 9, 9}};
  EXPECT_EQ(Backs(), OnlyHovered(-1));
  for (const Step& step : steps) {
    Menu().MouseMove(step.name, step.index);
    EXPECT_EQ(Backs(), OnlyHovered(step.grey)) << step.name << "(" << step.index << ")";
  }
}

// The keyboard walks the same highlight as the mouse, top to bottom and round again,
// and Return runs the highlighted entry as a click would.
TEST_F(MenuTest, TheKeyboardMovesTheHighlightAndRunsTheEntry) {
  StoreSlot(7, "Top", "/opt/top");
  app->menu().ReadSettings();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  struct Step {
    Key key;
    int grey;  // as in Backs(): slot 7 (the top row) is 11, Exit Velmora (the last) 13
  };
  const Step steps[] = {{Key::Down, 11}, {Key::Down, 10}, {Key::Up, 11},
                        {Key::Up, 13},   {Key::Up, 12},   {Key::Up, 14},
                        {Key::Home, 11}, {Key::End, 13},  {Key::Down, 11}};
  for (const Step& step : steps) {
    Menu().PressKey(step.key);
    EXPECT_EQ(Backs(), OnlyHovered(step.grey)) << static_cast<int>(step.key);
  }
  Menu().MouseMove("Closer", 2);  // the keys go on from where the mouse left it
  Menu().PressKey(Key::Down);
  EXPECT_EQ(Backs(), OnlyHovered(12));
  Menu().PressKey(Key::Home);
  Menu().PressKey(Key::Return);
  ASSERT_EQ(platform.started.size(), 1u);
  EXPECT_EQ(platform.started[0].command, "/opt/top");
  EXPECT_FALSE(Menu().visible);
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  Menu().PressKey(Key::Escape);
  EXPECT_FALSE(Menu().visible);
  EXPECT_EQ(platform.started.size(), 1u);
}

TEST_F(MenuTest, ColoursComeFromTheStore) {
  platform.store.Set("clr1", "255");
  platform.store.Set("clr2", "abc");  // not a number: the default
  Restart();
  Menu().MouseMove("menu1", 0);
  EXPECT_EQ(Menu().Back("menu1", 0), kHover);
  EXPECT_EQ(Menu().Back("menu1", 1), 255u);
}

// The built-in entries start their tools, each slot entry exactly its slot's file.
TEST_F(MenuTest, EveryEntryStartsItsOwnCommand) {
  const char* commands[] = {"calc.exe", "notepad.exe", "winipcfg", "scandisk", "defrag"};
  for (int i = 0; i < 5; ++i) {
    platform.TrayMessage(TrayMessage::LeftButtonUp);
    Menu().Click("menu1", i);
    ASSERT_EQ(platform.started.size(), static_cast<std::size_t>(i + 1));
    EXPECT_TRUE(platform.started.back().builtIn);
    EXPECT_EQ(platform.started.back().command, commands[i]);
    EXPECT_EQ(platform.started.back().windowStyle, WindowStyle::NormalFocus);
    EXPECT_FALSE(Menu().visible);
  }
  for (int n = 1; n <= 7; ++n)
    StoreSlot(n, std::string("T") + std::to_string(n),
              std::string("/opt/my tools/prog ") + std::to_string(n) + "; rm -rf ~");
  app->menu().ReadSettings();
  for (int n = 1; n <= 7; ++n) {
    Menu().Click("menu1", n + 4);
    ASSERT_FALSE(platform.started.empty());
    EXPECT_FALSE(platform.started.back().builtIn);
    EXPECT_EQ(platform.started.back().command,
              std::string("/opt/my tools/prog ") + std::to_string(n) + "; rm -rf ~");
    EXPECT_EQ(Menu().TextOf("menu1", n + 4), std::string("T") + std::to_string(n));
  }
}

// A host that draws the item's menu itself gets the window's rows, texts and groups, kept
// up to date; its choice does what a click on that row does, without showing the window.
TEST_F(MenuTest, TheTraysOwnMenuMirrorsTheRows) {
  StoreSlot(1, "Mail", "/usr/bin/mail");
  app->menu().ReadSettings();
  const std::vector<TrayMenuEntry>& entries = platform.tray.menu;
  ASSERT_EQ(entries.size(), kMenuRows.size());
  for (std::size_t row = 0; row < entries.size(); ++row) {
    EXPECT_EQ(entries[row].text,
              Menu().TextOf(std::string(kMenuRows[row].key), kMenuRows[row].index));
    EXPECT_EQ(entries[row].startsGroup, row == 7 || row == 12) << row;
  }
  EXPECT_EQ(entries[6].text, "Mail");
  platform.ChooseTrayMenuEntry(6);
  platform.ChooseTrayMenuEntry(11);
  ASSERT_EQ(platform.started.size(), 2u);
  EXPECT_EQ(platform.started[0].command, "/usr/bin/mail");
  EXPECT_EQ(platform.started[1].command, "calc.exe");
  platform.ChooseTrayMenuEntry(15);
  EXPECT_FALSE(Menu().visible);
  platform.ChooseTrayMenuEntry(14);
  EXPECT_TRUE(platform.ended) << "Exit Velmora";
}

// The strip, Hide Menu, unset slots and the close keystroke (Alt+F4) hide the menu and
// start nothing, and QV runs on; a highlight outlives hiding and showing.
TEST_F(MenuTest, TheStripHideMenuAndUnsetSlotsHideWithoutStarting) {
  StoreSlot(2, "(none)", "(none)");
  app->menu().ReadSettings();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  Menu().Click("Image1");
  EXPECT_FALSE(Menu().visible);
  for (int entry : {5, 6}) {
    platform.TrayMessage(TrayMessage::LeftButtonUp);
    Menu().Click("menu1", entry);
    EXPECT_FALSE(Menu().visible);
  }
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  Menu().MouseMove("Closer", 0);
  Menu().Click("Closer", 0);
  EXPECT_FALSE(Menu().visible);
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  EXPECT_EQ(Menu().Back("Closer", 0), kHover);
  Menu().PressCloseKey();
  EXPECT_FALSE(Menu().visible);
  EXPECT_FALSE(platform.ended);
  platform.TrayMessage(TrayMessage::RightButtonUp);
  EXPECT_TRUE(Menu().visible) << "and shows again";
  EXPECT_TRUE(platform.started.empty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.tray.present);
}

TEST_F(MenuTest, ReadSettingsShowsBlanksNoneMarkersAndStoredTexts) {
  const KeyTables& keys = FilledKeys();
  platform.store.Set("title1", "");
  platform.store.Set("title2", ScrambleThrough("(none)", keys.a));
  platform.store.Set("title3", std::string(SlotSentinel()));
  platform.store.Set("prog3", std::string(SlotSentinel()));
  platform.store.Set("title4", ScrambleThrough("Mail \xE9t\xE9", keys.a));
  platform.store.Set("title5", "plain");  // not written by QV: shown as it unscrambles
  app->menu().ReadSettings();
  EXPECT_EQ(Menu().TextOf("menu1", 5), "");
  EXPECT_EQ(Menu().TextOf("menu1", 6), "(none)");
  EXPECT_EQ(Menu().TextOf("menu1", 7), "(none)");
  EXPECT_EQ(app->menu().SlotPath(3), "(none)");
  EXPECT_EQ(Menu().TextOf("menu1", 8), "Mail \xE9t\xE9");
  EXPECT_EQ(Menu().TextOf("menu1", 9), ScrambleThrough("plain", keys.a));
  EXPECT_EQ(Menu().TextOf("menu1", 11), "") << "slot 7 missing";
  EXPECT_EQ(app->menu().SlotPath(7), "");
  const char* fixed[] = {"Calculator", "Notepad", "Winipcfg", "Scandisk", "Defrag"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Menu().TextOf("menu1", i), fixed[i]);
  EXPECT_EQ(Menu().TextOf("Closer", 0), "Hide Menu");
  EXPECT_EQ(Menu().TextOf("Closer", 1), "Exit Velmora");
  EXPECT_EQ(Menu().TextOf("Closer", 2), "Settings");
}

TEST_F(MenuTest, TimeOutWaitsOnlyForPositiveDurationsAndNests) {
  app->TimeOut(0);
  app->TimeOut(-1);
  EXPECT_TRUE(platform.waits.empty());
  const double before = platform.Now();
  bool clicked = false;
  platform.duringWait.push_back([&] {
    platform.TrayMessage(TrayMessage::LeftButtonUp);  // the user clicks meanwhile
    clicked = Menu().visible;
    app->TimeOut(0.2);  // and a handler waits again inside the wait
  });
  app->TimeOut(0.5);
  EXPECT_TRUE(clicked);
  ASSERT_EQ(platform.waits.size(), 2u);
  EXPECT_DOUBLE_EQ(platform.waits[0], 0.5);
  EXPECT_GE(platform.Now() - before, 0.5);
}

}  // namespace
}  // namespace qv
