// The store-reading path under arbitrary input: file to INI store to every reader.
#include "store_input.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app.h"
#include "headless/headless_platform.h"
#include "menu/form1.h"
#include "platform/posix/store_ini.h"

namespace qv {
namespace {

const char* kKeys[] = {"show",   "start",  "use",    "passwd", "prog1",  "prog2",  "prog3",
                       "prog4",  "prog5",  "prog6",  "prog7",  "title1", "title2", "title3",
                       "title4", "title5", "title6", "title7", "clr1",   "clr2"};

std::string Folder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-fuzz-XXXXXX").string();
    return std::string(mkdtemp(pattern.data()));
  }();
  return folder;
}

}  // namespace

int ExerciseStoreFile(const std::uint8_t* data, std::size_t size) {
  const std::string home = Folder();
  std::filesystem::create_directories(home + "/qv");
  std::ofstream(home + "/qv/qv.ini", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  HeadlessPlatform platform;
  IniSettingsStore store(home);
  for (const char* key : kKeys) {
    const std::string missing = "\x01missing";
    const std::string value = store.read("qv", "qv", key, missing);
    if (value != missing) platform.store.Set(key, value);
  }
  App app(platform);
  app.Load<Form1>();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  platform.Find("Form1")->Click("Closer", 2);  // the prompt, and maybe the settings window
  int loaded = 0;
  for (const char* form : {"Form1", "Form2", "Form3", "Form4"})
    loaded += platform.Find(form) != nullptr;
  if (HeadlessWindow* settings = platform.Find("Form2")) settings->Click("Sett", 2);  // Reset
  return loaded;
}

}  // namespace qv
