// Character counts of UTF-8 texts: every byte that does not continue a sequence starts one.
#include "common/text_length.h"

namespace qv {

std::size_t Utf8CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace qv
