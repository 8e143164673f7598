// Latin-1 or UTF-8, as the text needs.
#include "settings/stored_text.h"

#include <algorithm>

#include "common/text_length.h"

namespace qv {
namespace {

bool BeyondLatin1(char32_t c) {
  return c > 0xFF;
}

}  // namespace

std::string Latin1WhereItFits(std::string_view utf8) {
  const std::optional<std::u32string> characters = DecodeUtf8(utf8);
  if (!characters || std::any_of(characters->begin(), characters->end(), BeyondLatin1))
    return std::string(utf8);  // kept as its bytes
  return std::string(characters->begin(), characters->end());
}

std::string Utf8FromStored(std::string_view stored) {
  const std::optional<std::u32string> characters = DecodeUtf8(stored);
  if (characters && std::any_of(characters->begin(), characters->end(), BeyondLatin1))
    return std::string(stored);
  std::string utf8;
  for (unsigned char c : stored) AppendUtf8(utf8, c);
  return utf8;
}

}  // namespace qv
