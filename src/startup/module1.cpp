// Start-up: the previous-instance test, then the menu window.
#include "startup/module1.h"

#include "startup/app.h"

namespace qv {

int Main(bool previousInstance, const PlatformMaker& makePlatform) {
  if (previousInstance) return 0;
  std::unique_ptr<Platform> platform = makePlatform();
  App app(*platform);
  app.LoadMenuWindow();
  return platform->Exec();
}

}  // namespace qv
