// The XDG autostart entry: one file per program name, written atomically, its Exec line
// quoted so that any path starts exactly that program.
#include <gtest/gtest.h>

#include "platform/posix/autostart_xdg.h"
#include "temp_folder.h"

namespace qv {
namespace {

// A key's string value as a desktop environment reads it, its escapes undone.
std::string StringValue(const std::string& entry, const std::string& key) {
  const auto start = entry.find("\n" + key + "=") + key.size() + 2;
  const std::string raw = entry.substr(start, entry.find('\n', start) - start);
  std::string value;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\' || i + 1 == raw.size()) {
      value += raw[i];
      continue;
    }
    const char next = raw[++i];
    value += next == 'n'   ? '\n'
             : next == 't' ? '\t'
             : next == 's' ? ' '
             : next == 'r' ? '\r'
                           : next;
  }
  return value;
}

// Reads the first Exec argument back as a desktop environment would: string escapes
// first, then the quoting rules of the Exec key.
std::string ExecProgram(const std::string& entry) {
  const std::string value = StringValue(entry, "Exec");
  EXPECT_EQ(value.front(), '"');
  std::string program;
  for (std::size_t i = 1; i < value.size() && value[i] != '"'; ++i) {
    if (value[i] == '\\')
      ++i;
    else if (value[i] == '%')
      ++i;  // "%%" is one percent sign
    program += value[i];
  }
  return program;
}

// One entry per whole file name: saved twice it holds the second path and no temporary
// is left; removing is silent when absent and leaves other programs' entries.
TEST(XdgAutostart, OneEntryPerProgramNameReplacedAndRemoved) {
  TempFolder home;
  XdgAutostart entries(home.path);
  EXPECT_TRUE(RemoveRunValue(entries, "/opt/qv/qv"));
  ASSERT_TRUE(AddRunValue(entries, "/old/place/qv"));
  ASSERT_TRUE(AddRunValue(entries, "/new/place/qv"));
  const std::string entry = FileBytes(home / "autostart/qv.desktop");
  EXPECT_EQ(ExecProgram(entry), "/new/place/qv");
  EXPECT_NE(entry.find("[Desktop Entry]\nType=Application\n"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / "autostart"), {}), 1);
  ASSERT_TRUE(AddRunValue(entries, "/opt/qv/launcher"));
  EXPECT_TRUE(RemoveRunValue(entries, "/opt/qv/launcher"));
  EXPECT_FALSE(std::filesystem::exists(home / "autostart/launcher.desktop"));
  EXPECT_TRUE(std::filesystem::exists(home / "autostart/qv.desktop"));
  EXPECT_EQ(entries.RunValueNameOf("/usr/local/bin/"), "");
  EXPECT_EQ(entries.RunValueNameOf("/opt/qv.run"), "qv.run");  // no extension to drop
}

// Any path comes back from the Exec line, and from TryExec, which makes the desktop skip
// the entry once the program is gone (its package removed).
TEST(XdgAutostart, AnyPathComesBackFromTheExecLine) {
  TempFolder home;
  XdgAutostart entries(home.path);
  for (std::string path :
       {"/opt/my apps/q v", "/opt/\"quoted\"/qv", "/opt/$(rm -rf ~)/`x`/qv",
        "/opt/back\\slash/100%/qv", "/opt/tab\there/new\nline/qv", "/opt/\xC3\xA9t\xC3\xA9/qv"}) {
    ASSERT_TRUE(entries.SaveRunValue("qv", path));
    const std::string entry = FileBytes(home / "autostart/qv.desktop");
    EXPECT_EQ(ExecProgram(entry), path);
    EXPECT_EQ(StringValue(entry, "TryExec"), path);
  }
}

TEST(XdgAutostart, FailuresAreReported) {
  TempFolder home;
  std::ofstream(home / "blocked") << "a file, not a folder";
  XdgAutostart entries(home / "blocked");
  EXPECT_FALSE(AddRunValue(entries, "/opt/qv/qv"));
  std::filesystem::create_directories(home / "autostart/qv.desktop/x");  // a folder in the way
  EXPECT_FALSE(XdgAutostart(home.path).DeleteRunValue("qv"));
  EXPECT_FALSE(XdgAutostart(home.path).SaveRunValue("qv", "/opt/qv/qv")) << "the rename failed";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / "autostart"), {}), 1)
      << "no temporary left behind";
}

}  // namespace
}  // namespace qv
