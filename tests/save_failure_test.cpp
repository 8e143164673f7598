// The settings window saving to the real Linux files when the disk is full: the user is
// told, the window keeps every edit, and neither the settings file nor the autostart
// entry changes, even after Cancel and later saves of other values.
#include "real_files_fixture.h"

namespace qv {
namespace {

class FullDiskTest : public RealFilesTest {
 protected:
  std::string File() { return FileBytes(store.FilePath("qv")); }
  std::string Entry() {
    return autostart.EntryPath(autostart.RunValueNameOf(platform.programPath));
  }
};

TEST_F(FullDiskTest, AFailedSaveAndCancelLeaveEverySettingAsItWas) {
  HeadlessWindow& first = OpenSettings();
  first.Type("title", 0, "Saved");
  first.Click("Sett", 0);
  ASSERT_EQ(Find("SettingsWindow"), nullptr);
  const std::string before = File();

  HeadlessWindow& settings = OpenSettings();
  settings.Click("Check1");
  settings.Type("Passwd", 0, "secret99");
  settings.Type("Passwd", 1, "secret99");
  settings.Type("title", 0, "Unsaved");
  settings.Click("Check2");
  ASSERT_GT(before.size(), 300u);
  {
    FileSizeLimit full(200);  // room for the autostart entry, not for the settings
    settings.Click("Sett", 0);
  }
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].text.find("could not be saved"), std::string::npos);
  ASSERT_EQ(Find("SettingsWindow"), &settings);
  EXPECT_EQ(settings.TextOf("title", 0), "Unsaved");
  EXPECT_EQ(File(), before);
  EXPECT_FALSE(std::filesystem::exists(Entry())) << "no entry for a save that failed";

  settings.Click("Sett", 1);                           // Cancel
  ASSERT_TRUE(store.Write("qv", "qv", "show", "no"));  // as the welcome window's Close does
  Menu().Click("Closer", 2);
  EXPECT_EQ(Find("PasswordPrompt"), nullptr) << "no password came into force";
  HeadlessWindow& reopened = platform.Loaded("SettingsWindow");
  EXPECT_EQ(reopened.TextOf("title", 0), "Saved");
  EXPECT_EQ(reopened.TextOf("Passwd", 0), "(none)");
  IniSettingsStore nextStart(home.path);
  EXPECT_EQ(nextStart.Read("qv", "qv", "start"), "0");
  EXPECT_EQ(nextStart.Read("qv", "qv", "show"), "no");
}

}  // namespace
}  // namespace qv
