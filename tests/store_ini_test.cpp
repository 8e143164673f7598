// The INI settings store: exact bytes, damaged files (and every file the store fuzzer
// kept), reported failures, private permissions, and crashes during a save.
#include <gtest/gtest.h>

#include "awkward_values.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QSettings>
#include <csignal>
#include <random>

#include "fuzz/store_input.h"
#include "platform/posix/autostart_xdg.h"
#include "platform/posix/store_ini.h"
#include "settings/ini_format.h"
#include "temp_folder.h"

namespace qv {
namespace {

// A file-size limit for this process, the usual stand-in for a full disk: while it lasts,
// a write that would make any file larger fails (EFBIG, with SIGXFSZ) as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_{};
};

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Files of earlier builds (written by Qt's QSettings) keep loading, and Qt programs read
// what QV writes: both write the same bytes, and each reads the other's values exactly.
TEST(IniFormat, IsWhatQSettingsWritesAndReads) {
  IniValues values = {{"other/key", "elsewhere"}, {"General", "top"}};
  for (const std::string& value : AwkwardValues())
    values["qv/a" + std::to_string(values.size())] = value;
  std::mt19937 random(3);
  for (int i = 0; i < 200; ++i) {
    std::string value(random() % 24, '\0');
    for (char& c : value) c = static_cast<char>(random());
    values["qv/r" + std::to_string(i)] = value;
  }
  TempFolder home;
  const std::string path = home / "qt.ini";
  {
    QSettings qt(QString::fromStdString(path), QSettings::IniFormat);
    for (const auto& [key, value] : values)
      qt.setValue(QString::fromStdString(key),
                  QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
    qt.sync();
    ASSERT_EQ(qt.status(), QSettings::NoError);
  }
  EXPECT_EQ(FormatIni(values), FileBytes(path));
  EXPECT_EQ(ParseIni(FileBytes(path)).values, values);
}

// Files as people have them: each reads as QSettings reads it, and a save rewrites only
// the value of the key it saves, every other byte staying where it was.
TEST(IniStore, HandEditedFilesKeepWhatQVDoesNotOwn) {
  struct Case {
    const char* what;
    std::string before, after;  // after saving title1 = "New"
  };
  const std::string others =
      "[%General]\nx=1\n[qv]\n%U0433=\xD0\xB3\nsize=@Size(640 480)\nlist=a, b\n";
  const std::vector<Case> cases = {
      {"a byte-order mark", "\xEF\xBB\xBF[qv]\nuse=x\ntitle1=Old\n",
       "\xEF\xBB\xBF[qv]\nuse=x\ntitle1=New\n"},
      {"blanks in the brackets", "[ qv ]\ntitle1=Old\n", "[ qv ]\ntitle1=New\n"},
      {"an unclosed section", "[qv\ntitle1=Old\n", "[qv\ntitle1=New\n"},
      {"keys and groups of others", others + "title1 = Old ; mine\n[other]\nk=\xE2\x82\xAC\n",
       others + "title1 = New ; mine\n[other]\nk=\xE2\x82\xAC\n"},
      {"a key QV adds", "[qv]\nuse=x\n\n[other]\nk=v\n",
       "[qv]\nuse=x\ntitle1=New\n\n[other]\nk=v\n"},
      {"Windows line ends", "[qv]\r\ntitle1=Old\r\nuse=x\r\n", "[qv]\r\ntitle1=New\r\nuse=x\r\n"},
      {"a last line left open", "[qv]\nuse=\"x", "[qv]\ntitle1=New\nuse=\"x"},
  };
  for (const Case& c : cases) {
    TempFolder home;
    WriteFile(home / "qv/qv.ini", c.before);
    IniSettingsStore store(home.path);
    if (c.before.find("Old") != std::string::npos) {
      EXPECT_EQ(store.Read("qv", "qv", "title1"), "Old") << c.what;
    }
    EXPECT_TRUE(store.Write("qv", "qv", "title1", "New")) << c.what;
    EXPECT_EQ(FileBytes(home / "qv/qv.ini"), c.after) << c.what;
  }
}

// A settings file or autostart entry that a dotfiles manager linked elsewhere: the save
// replaces the file the link leads to (through a chain of links, with its mode) and the
// link stays; a link that leads nowhere is a failed save that makes no file.
TEST(IniStore, LinkedFilesAreSavedWhereTheyLead) {
  TempFolder home;
  namespace fs = std::filesystem;
  fs::create_directories(home / "dotfiles"), fs::create_directories(home / "qv");
  fs::create_directories(home / "autostart");
  WriteFile(home / "dotfiles/qv.ini", "[qv]\nshow=yes\n");
  chmod((home / "dotfiles/qv.ini").c_str(), 0640);
  fs::create_symlink("qv.ini", home / "dotfiles/link");
  fs::create_symlink("../dotfiles/link", home / "qv/qv.ini");
  WriteFile(home / "dotfiles/qv.desktop", "old entry");
  fs::create_symlink("../dotfiles/qv.desktop", home / "autostart/qv.desktop");

  IniSettingsStore store(home.path);
  EXPECT_EQ(store.Read("qv", "qv", "show"), "yes");
  ASSERT_TRUE(store.Write("qv", "qv", "show", "no"));
  XdgAutostart entries(home.path);
  ASSERT_TRUE(AddRunValue(entries, "/usr/bin/qv"));
  EXPECT_TRUE(fs::is_symlink(home / "qv/qv.ini"));
  EXPECT_EQ(FileBytes(home / "dotfiles/qv.ini"), "[qv]\nshow=no\n");
  EXPECT_EQ(ModeOf(home / "dotfiles/qv.ini"), 0640u);
  EXPECT_TRUE(fs::is_symlink(home / "autostart/qv.desktop"));
  EXPECT_NE(FileBytes(home / "dotfiles/qv.desktop").find("Exec="), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(home / "dotfiles"), {}), 3) << "no temporary";

  fs::remove(home / "dotfiles/qv.ini");
  EXPECT_FALSE(IniSettingsStore(home.path).Write("qv", "qv", "show", "yes"));
  EXPECT_FALSE(fs::exists(home / "dotfiles/qv.ini"));
  EXPECT_TRUE(fs::is_symlink(home / "qv/qv.ini"));
}

TEST(IniStore, EveryByteComesBackExactly) {
  TempFolder home;
  std::vector<std::string> values = AwkwardValues();
  values.push_back(std::string(10 * 1024 * 1024, '\x01'));
  auto key = [](std::size_t i) { return "k" + std::to_string(i); };
  {
    IniSettingsStore store(home.path);
    for (std::size_t i = 0; i < values.size(); ++i)
      ASSERT_TRUE(store.Write("qv", "qv", key(i), values[i]));
    EXPECT_EQ(store.Read("qv", "qv", "k0"), values[0]);
  }
  IniSettingsStore reopened(home.path);  // reads the file itself
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(reopened.Read("qv", "qv", key(i), "unset"), values[i]) << i;
  EXPECT_EQ(reopened.Read("qv", "qv", "missing", "fallback"), "fallback");
  EXPECT_EQ(reopened.Read("qv", "qv", "missing"), "");
  EXPECT_EQ(reopened.FilePath("qv"), home / "qv/qv.ini");
}

TEST(IniStore, DamagedFilesReadAsMissingKeysAndCanBeWrittenAgain) {
  std::string garbage;
  std::mt19937 random(7);
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>(random());
  for (const std::string& contents :
       {std::string(), std::string(4096, '\0'), garbage, std::string("[qv]\nshow=yes\nshow=no\n"),
        std::string("[other]\nshow=no\n"), std::string("[qv]\nshow")}) {
    TempFolder home;
    WriteFile(home / "qv/qv.ini", contents);
    IniSettingsStore store(home.path);
    const std::string show = store.Read("qv", "qv", "show", "default");
    EXPECT_TRUE(show == "default" || show == "yes" || show == "no");
    EXPECT_EQ(store.Read("qv", "qv", "start", "0"), "0");
    EXPECT_TRUE(store.Write("qv", "qv", "start", "1"));
    EXPECT_EQ(IniSettingsStore(home.path).Read("qv", "qv", "start"), "1");
  }
}

// Every file the store fuzzer kept (its corpus and any crash it found) loads, and each
// window shows what its readers make of the stored values.
TEST(StoreFuzzCorpus, EveryKeptInputLoadsAndReadsAsStored) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(QV_FUZZ_CORPUS)) {
    const std::string data = FileBytes(entry.path());
    EXPECT_EQ(ExerciseStoreFile(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()),
              "")
        << entry.path();
    ++files;
  }
  EXPECT_GT(files, 10) << "the corpus is missing";
}

// A folder that cannot be made, or a disk that fills up during a save: the save is
// reported as failed, the old file stays byte for byte with no temporary beside it, and
// nothing of the failed save lingers in memory to reach the disk with a later write.
TEST(IniStore, ASaveThatDoesNotFitChangesNothing) {
  {
    TempFolder home;
    WriteFile(home / "blocked", "a file where the settings folder should be");
    IniSettingsStore blocked(home / "blocked");
    EXPECT_FALSE(blocked.Write("qv", "qv", "show", "no"));
    EXPECT_EQ(blocked.Read("qv", "qv", "show", "unset"), "unset");
  }
  std::signal(SIGXFSZ, SIG_DFL);  // the store itself must keep the failing write survivable
  TempFolder home;
  IniSettingsStore store(home.path);
  ASSERT_TRUE(store.Write("qv", "qv", "title1", "Saved"));
  ASSERT_TRUE(store.Write("qv", "qv", "use", "0"));
  const std::string before = FileBytes(home / "qv/qv.ini");
  {
    FileSizeLimit full(before.size() + 40);
    store.Hold();
    store.Write("qv", "qv", "title1", std::string(300, 'U'));
    store.Write("qv", "qv", "use", "1");
    EXPECT_FALSE(store.Commit());
    EXPECT_FALSE(store.Write("qv", "qv", "show", std::string(100, 'n')));
  }
  EXPECT_EQ(FileBytes(home / "qv/qv.ini"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / "qv"), {}), 1);
  EXPECT_EQ(store.Read("qv", "qv", "title1"), "Saved");

  ASSERT_TRUE(store.Write("qv", "qv", "show", "no"));  // a later, unrelated save
  IniSettingsStore next(home.path);
  EXPECT_EQ(next.Read("qv", "qv", "title1"), "Saved");
  EXPECT_EQ(next.Read("qv", "qv", "use"), "0");
  EXPECT_EQ(next.Read("qv", "qv", "show"), "no");
}

TEST(IniStore, FileAndFolderArePrivateWhateverTheUmask) {
  TempFolder home;
  const mode_t old = umask(0);
  IniSettingsStore store(home.path);
  EXPECT_TRUE(store.Write("qv", "qv", "passwd", "x"));
  EXPECT_TRUE(store.Write("qv", "qv", "passwd", "y"));  // replaced atomically: still private
  umask(old);
  EXPECT_EQ(ModeOf(home / "qv"), 0700u);
  EXPECT_EQ(ModeOf(home / "qv/qv.ini"), 0600u);
}

// A child saves twenty keys over and over as the settings window does (held, then one
// commit), each value naming its round, and is killed at a random moment. Every key must
// then hold a whole value from one and the same round.
TEST(IniStore, KillingASaveNeverLeavesAHalfWrittenStore) {
  TempFolder home;
  const std::vector<std::string> keys = {"passwd", "title1", "title2", "title3", "title4",
                                         "title5", "title6", "title7", "prog1",  "prog2",
                                         "prog3",  "prog4",  "prog5",  "prog6",  "prog7",
                                         "use",    "show",   "start",  "clr1",   "clr2"};
  auto valueFor = [](int round, const std::string& key) {
    return std::string("round ") + std::to_string(round) + " " + key + std::string(200, '.');
  };
  std::mt19937 random(42);
  for (int attempt = 0; attempt < 25; ++attempt) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
      IniSettingsStore store(home.path);
      for (int round = 0;; ++round) {
        store.Hold();
        for (const auto& key : keys) store.Write("qv", "qv", key, valueFor(round, key));
        store.Commit();
        if (round == 0) (void)!write(ready[1], "x", 1);
      }
    }
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]), close(ready[1]);
    usleep(std::uniform_int_distribution<int>(0, 30000)(random));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    IniSettingsStore store(home.path);
    const std::string first = store.Read("qv", "qv", keys[0]);
    const auto space = first.find(' ', 6);
    ASSERT_NE(space, std::string::npos) << "nothing saved after kill " << attempt;
    const int round = std::stoi(first.substr(6, space - 6));
    for (const auto& key : keys)
      EXPECT_EQ(store.Read("qv", "qv", key), valueFor(round, key)) << "attempt " << attempt;
  }
}

}  // namespace
}  // namespace qv
