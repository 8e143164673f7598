// The application on the in-memory desktop, saving to the real Linux settings file and
// autostart entry in a temporary home: for tests of what the disk really does.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>

#include "app/app.h"
#include "file_size_limit.h"
#include "headless/headless_platform.h"
#include "menu/menu_window.h"
#include "platform/posix/autostart_xdg.h"
#include "platform/posix/store_ini.h"
#include "temp_folder.h"

namespace qv {

class RealFilesTest : public ::testing::Test {
 protected:
  RealFilesTest() {
    platform.storeInUse = &store;
    platform.runEntriesInUse = &autostart;
    app.Load<MenuWindow>();
  }
  HeadlessWindow& OpenSettings() {
    platform.Find("MenuWindow")->Click("Closer", 2);
    HeadlessWindow* settings = platform.Find("SettingsWindow");
    if (!settings) throw std::logic_error("the settings window did not open");
    return *settings;
  }

  TempFolder home;
  // Default first: whether a full disk can end the program is QV's own doing, under test.
  const bool signalReset = std::signal(SIGXFSZ, SIG_DFL) != SIG_ERR;
  IniSettingsStore store{home.path};
  XdgAutostart autostart{home.path};
  HeadlessPlatform platform;
  App app{platform};
};

}  // namespace qv
