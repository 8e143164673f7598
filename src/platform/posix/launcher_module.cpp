// Finding libqv_app.so beside the running executable and calling its entry, in plain C
// calls: nothing here may pull in the C++ library or Qt.
#include "platform/posix/launcher_module.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

namespace qv {

int RunLauncherModule(int argc, char** argv) {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 32);
  if (length <= 0) return 1;
  path[length] = '\0';
  strcpy(strrchr(path, '/') + 1, "libqv_app.so");
  void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  auto run = module ? reinterpret_cast<int (*)(int, char**)>(dlsym(module, "qv_run")) : nullptr;
  if (!run) {
    fprintf(stderr, "qv: %s\n", dlerror());
    return 1;
  }
  return run(argc, argv);
}

}  // namespace qv
