// The Linux program's entry: a duplicate start must end within a few milliseconds, so
// this executable links no Qt at all. It takes the instance lock first and only then
// loads the launcher itself (libqv_app.so, beside the executable) and runs it.
#include <dlfcn.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "platform/entry.h"

int main(int argc, char** argv) {
  if (qv::PreviousInstanceRunning()) return 0;
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
