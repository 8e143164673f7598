// Finding libqv_app.so beside the running executable and calling its entry, in plain C
// calls: nothing here may pull in the C++ library or Qt.
#include "platform/posix/launcher_module.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

namespace qv {
namespace {

// The module beside the executable (the build tree), else where the installed program
// keeps it.
void* OpenModule() {
  static const char* const places[] = {"libqv_app.so", QV_INSTALLED_MODULE};
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 64);
  if (length <= 0) return nullptr;
  path[length] = '\0';
  char* name = strrchr(path, '/') + 1;
  void* module = nullptr;
  for (const char* place : places) {
    strcpy(name, place);
    if (!module && access(path, F_OK) == 0) module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  }
  return module;
}

}  // namespace

int RunLauncherModule(int argc, char** argv) {
  void* module = OpenModule();
  auto run = module ? reinterpret_cast<int (*)(int, char**)>(dlsym(module, "qv_run")) : nullptr;
  if (!run) {
    const char* why = dlerror();
    fprintf(stderr, "qv: %s\n",
            why ? why : "libqv_app.so is neither beside qv nor in ../libexec/qv");
    return 1;
  }
  return run(argc, argv);
}

}  // namespace qv
