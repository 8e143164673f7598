// Start-up: the previous-instance test, then the menu window.
#include "startup/module1.h"

#include "app/app.h"
#include "menu/form1.h"

namespace qv {

int Main(bool previousInstance, const PlatformMaker& makePlatform) {
  if (previousInstance) return 0;
  std::unique_ptr<Platform> platform = makePlatform();
  App app(*platform);
  app.Load<Form1>();
  return platform->Exec();
}

}  // namespace qv
