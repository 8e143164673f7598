// The application on the in-memory desktop, saving to the real Linux settings file and
// autostart entry in a temporary home: for tests of what the disk really does.
#pragma once

#include <csignal>

#include "file_size_limit.h"
#include "headless_fixture.h"
#include "platform/posix/autostart_xdg.h"
#include "platform/posix/store_ini.h"
#include "temp_folder.h"

namespace qv {

class RealFilesTest : public HeadlessTest {
 protected:
  RealFilesTest() {
    platform.storeInUse = &store;
    platform.runEntriesInUse = &autostart;
    Start();
  }
  ~RealFilesTest() override { app.reset(); }  // before the store it writes to goes

  TempFolder home;
  // Default first: whether a full disk can end the program is QV's own doing, under test.
  const bool signalReset = std::signal(SIGXFSZ, SIG_DFL) != SIG_ERR;
  IniSettingsStore store{home.path};
  XdgAutostart autostart{home.path};
};

}  // namespace qv
