// The store-reading path under arbitrary input: file to INI store to every reader.
#include "store_input.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app.h"
#include "headless/headless_platform.h"
#include "menu/menu_window.h"
#include "platform/posix/store_ini.h"
#include "settings/codec.h"

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

// The settings window against the store it loaded from, box by box.
std::string CheckSettingsWindow(HeadlessWindow& settings, SettingsStore& store) {
  KeyTables keys;
  keys.FillA();
  keys.FillB();
  for (int k = 0; k < 7; ++k) {
    if (settings.TextOf("prog", k) !=
        ReadSlot(store, keys.a, SlotField::Program, k + 1, SlotSentinel()))
      return "prog" + std::to_string(k + 1) + " shows another value";
    const std::string title =
        ReadSlot(store, keys.a, SlotField::Title, k + 1, SlotSentinel()).substr(0, 10);
    if (settings.TextOf("title", k) != title)
      return "title" + std::to_string(k + 1) + " shows another value";
  }
  if (settings.TextOf("Passwd", 0) != ReadPassword(store, keys.b, kUnsetPasswordPair))
    return "the password box shows another value";
  if (settings.State("Check3").value != (ReadShowWelcome(store, "") ? 1 : 0))
    return "the welcome switch shows another value";
  return {};
}

}  // namespace

std::string ExerciseStoreFile(const std::uint8_t* data, std::size_t size) {
  const std::string home = Folder();
  std::filesystem::create_directories(home + "/qv");
  std::ofstream(home + "/qv/qv.ini", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  HeadlessPlatform platform;
  IniSettingsStore store(home);
  for (const char* key : kKeys) {
    const std::string missing = "\x01missing";
    const std::string value = store.Read("qv", "qv", key, missing);
    if (value != missing) platform.store.Set(key, value);
  }
  App app(platform);
  app.Load<MenuWindow>();
  platform.TrayMessage(TrayMessage::LeftButtonUp);
  if (!platform.Find("MenuWindow")) return "the menu did not load";
  platform.Find("MenuWindow")->Click("Closer", 2);  // the prompt, or the settings window
  HeadlessWindow* settings = platform.Find("SettingsWindow");
  if (!settings && !platform.Find("PasswordPrompt")) return "Settings opened nothing";
  std::string wrong = settings ? CheckSettingsWindow(*settings, platform.store) : "";
  if (settings) settings->Click("Sett", 2);  // Reset
  return wrong;
}

}  // namespace qv
