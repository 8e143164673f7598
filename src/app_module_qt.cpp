// The Linux launcher as a loadable module (libqv_app.so): the executable runs it once it
// holds the instance lock.
#include "platform/entry.h"
#include "startup/startup.h"

extern "C" __attribute__((visibility("default"))) int qv_run(int argc, char** argv) {
  static int count = argc;  // QApplication keeps a reference to it
  return qv::Main(false, [&] { return qv::MakePlatform(count, argv); });
}
