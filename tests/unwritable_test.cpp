// Unwritable places with the real Linux store and autostart entry in a temporary home, as
// a user meets them (these tests run as an unprivileged user: tests/unprivileged.sh). The
// user is told, nothing typed is lost, the old settings stay, and a later Ok succeeds.
#include <sys/stat.h>
#include <unistd.h>

#include "headless_fixture.h"
#include "platform/posix/autostart_xdg.h"
#include "platform/posix/store_ini.h"
#include "temp_folder.h"

namespace qv {
namespace {

class UnwritableTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_NE(geteuid(), 0u) << "permissions do not bind root: run through tests/unprivileged.sh";
    platform.storeInUse = &store;
    platform.runEntriesInUse = &autostart;
    ASSERT_TRUE(store.Write("qv", "qv", "title1", "Old"));
    Start();
    settings = &OpenSettings();
    settings->Type("title", 0, "Typed");
  }
  void TearDown() override { app.reset(); }  // before the store it writes to goes
  void ExpectToldAndKept(const char* words) {
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find(words), std::string::npos);
    EXPECT_FALSE(platform.ended);
  }
  std::string Entry() {
    return autostart.EntryPath(autostart.RunValueNameOf(platform.programPath));
  }

  TempFolder home;
  IniSettingsStore store{home.path};
  XdgAutostart autostart{home.path};
  HeadlessWindow* settings = nullptr;
};

TEST_F(UnwritableTest, AReadOnlySettingsFolderOrFileKeepsEverythingTyped) {
  settings->Click("Check2");
  for (const std::string& place : {home / "qv", home / "qv/qv.ini"}) {
    const std::string before = FileBytes(store.FilePath("qv"));
    chmod(place.c_str(), place == home / "qv" ? 0500 : 0400);
    platform.messages.clear();
    settings->Click("Sett", 0);
    ExpectToldAndKept("could not be saved");
    ASSERT_EQ(Find("SettingsWindow"), settings) << place;
    EXPECT_EQ(settings->TextOf("title", 0), "Typed");
    EXPECT_EQ(FileBytes(store.FilePath("qv")), before) << place;
    EXPECT_FALSE(std::filesystem::exists(Entry())) << "no entry for a save that failed";
    chmod(place.c_str(), place == home / "qv" ? 0700 : 0600);
  }
  platform.messages.clear();
  settings->Click("Sett", 0);
  EXPECT_TRUE(platform.messages.empty()) << "the missing autostart folder is made";
  EXPECT_EQ(Find("SettingsWindow"), nullptr);
  EXPECT_EQ(Menu().TextOf("menu1", 5), "Typed");
  EXPECT_TRUE(std::filesystem::exists(Entry()));
}

TEST_F(UnwritableTest, AReadOnlyAutostartFolderIsToldAndTheRestSaved) {
  std::filesystem::create_directories(home / "autostart");
  chmod((home / "autostart").c_str(), 0500);
  settings->Click("Check2");
  settings->Click("Sett", 0);
  ExpectToldAndKept("start at logon");
  EXPECT_EQ(Find("SettingsWindow"), nullptr) << "the rest was saved";
  EXPECT_EQ(store.Read("qv", "qv", "start"), "1");
  EXPECT_EQ(store.Read("qv", "qv", "title1").size(), 5u) << "the typed title, scrambled";
}

}  // namespace
}  // namespace qv
