// Every file the store fuzzer kept (its corpus and any crash it found) must load, and
// each window must show what its readers make of the stored values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/store_input.h"

namespace qv {
namespace {

TEST(StoreFuzzCorpus, EveryKeptInputLoadsAndReadsAsStored) {
  const std::filesystem::path corpus = QV_FUZZ_CORPUS;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(ExerciseStoreFile(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()),
              "")
        << entry.path();
    ++files;
  }
  EXPECT_GT(files, 10) << "the corpus is missing";
}

}  // namespace
}  // namespace qv
