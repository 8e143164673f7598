// Unwritable places with the real Linux store and autostart entry: the user is told,
// nothing typed is lost, the program keeps running, and a later Ok succeeds. (Tests run
// as root too, so a file stands where a folder should be: no permission stops root.)
#include <gtest/gtest.h>

#include <fstream>

#include "app/app.h"
#include "headless/headless_platform.h"
#include "menu/form1.h"
#include "platform/posix/autostart_xdg.h"
#include "platform/qt/store_ini.h"
#include "temp_folder.h"

namespace qv {
namespace {

class UnwritableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.storeInUse = &store;
    platform.runEntriesInUse = &autostart;
    app.Load<Form1>();
    platform.Find("Form1")->Click("Closer", 2);
    settings = platform.Find("Form2");
    ASSERT_NE(settings, nullptr);
    settings->Type("title", 0, "Typed");
  }
  void Block(const std::string& path) {
    std::filesystem::remove_all(path);
    std::ofstream(path) << "in the way";
  }

  TempFolder home;
  IniSettingsStore store{home.path};
  XdgAutostart autostart{home.path};
  HeadlessPlatform platform;
  App app{platform};
  HeadlessWindow* settings = nullptr;
};

TEST_F(UnwritableTest, ASettingsFolderThatCannotBeWrittenKeepsEverythingTyped) {
  Block(home / "qv");
  settings->Click("Sett", 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("could not be saved"), std::string::npos);
  ASSERT_EQ(platform.Find("Form2"), settings);
  EXPECT_EQ(settings->TextOf("title", 0), "Typed");
  EXPECT_FALSE(platform.ended);
  std::filesystem::remove(home / "qv");
  settings->Click("Sett", 0);
  EXPECT_EQ(platform.Find("Form2"), nullptr);
  EXPECT_EQ(platform.Find("Form1")->TextOf("menu1", 5), "Typed");
}

TEST_F(UnwritableTest, AnAutostartFolderThatCannotBeWrittenIsTold) {
  Block(home / "autostart");
  settings->Click("Check2");
  settings->Click("Sett", 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("start at logon"), std::string::npos);
  EXPECT_EQ(platform.Find("Form2"), nullptr) << "the rest was saved";
  EXPECT_EQ(store.read("qv", "qv", "start"), "1");
}

TEST_F(UnwritableTest, AMissingAutostartFolderIsMade) {
  settings->Click("Check2");
  settings->Click("Sett", 0);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(
      std::filesystem::exists(autostart.EntryPath(autostart.RunValueNameOf(platform.programPath))));
}

}  // namespace
}  // namespace qv
