// Character counts of UTF-8 texts: every byte that does not continue a sequence starts one.
#include "common/text_length.h"

namespace qv {

std::size_t Utf8CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t characters) {
  std::size_t end = 0;
  for (std::size_t started = 0; end < text.size(); ++end) {
    const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
    if (starts && started++ == characters) break;
  }
  return end;
}

}  // namespace qv
