// libFuzzer entry: any bytes as the settings file (tools/fuzz-store runs it).
#include "store_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::ExerciseStoreFile(data, size);
  return 0;
}
