// Start-up: the previous-instance test, then the menu window.
#include "startup/startup.h"

#include "app/app.h"
#include "menu/menu_window.h"

namespace qv {

int Main(bool previousInstance, const PlatformMaker& makePlatform) {
  if (previousInstance) return 0;
  std::unique_ptr<Platform> platform = makePlatform();
  if (!platform) return 1;  // nowhere to show anything: the platform has said why
  App app(*platform);
  app.Load<MenuWindow>();
  return platform->Exec();
}

}  // namespace qv
