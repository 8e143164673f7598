// Loaded with LD_PRELOAD into a program under test: a rename fails unless the file it
// moves was flushed to the disk (fsync or fdatasync) first. A save must flush the new
// settings before they replace the old ones, or a power cut can leave an empty file.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

std::set<std::string>& Flushed() {
  static std::set<std::string> paths;
  return paths;
}

void Remember(int fd) {
  char link[64], target[4096];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, target, sizeof target - 1);
  if (length > 0) Flushed().insert(std::string(target, static_cast<std::size_t>(length)));
}

template <class Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  Remember(fd);
  return Next<int (*)(int)>("fsync")(fd);
}

extern "C" int fdatasync(int fd) {
  Remember(fd);
  return Next<int (*)(int)>("fdatasync")(fd);
}

extern "C" int rename(const char* from, const char* to) {
  char* real = realpath(from, nullptr);
  const bool flushed = real && Flushed().count(real);
  std::free(real);
  if (!flushed) {
    std::fprintf(stderr, "flush check: %s is renamed before it was flushed\n", from);
    errno = EIO;
    return -1;
  }
  return Next<int (*)(const char*, const char*)>("rename")(from, to);
}
