// The program a launch starts: writes the monotonic clock in ns, when it began, to the
// file named by its own name plus ".ran".
#include <time.h>

#include <cstdio>
#include <string>

int main(int, char** argv) {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  if (FILE* out = std::fopen((std::string(argv[0]) + ".ran").c_str(), "w")) {
    std::fprintf(out, "%lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    std::fclose(out);
  }
  return 0;
}
