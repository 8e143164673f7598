// The Linux program's entry: the previous-instance test first, in a few milliseconds and
// without Qt, then the launcher module.
#include "platform/entry.h"
#include "platform/posix/launcher_module.h"

int main(int argc, char** argv) {
  if (qv::PreviousInstanceRunning()) return 0;
  return qv::RunLauncherModule(argc, argv);
}
