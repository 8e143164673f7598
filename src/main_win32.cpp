// The Windows program's entry: the previous-instance test, then start-up.
#include "platform/entry.h"
#include "startup/startup.h"

int main(int argc, char** argv) {
  const bool duplicate = qv::PreviousInstanceRunning();
  return qv::Main(duplicate, [&] { return qv::MakePlatform(argc, argv); });
}
