// Values every store must keep byte for byte: all 256 byte codes, NULs, the empty text,
// the INI syntax and QSettings' own forms (@, commas, quotes, escapes), line breaks.
#pragma once

#include <string>
#include <vector>

namespace qv {

inline std::string AllBytes() {
  std::string text;
  for (int c = 0; c < 256; ++c) text += static_cast<char>(c);
  return text;
}

inline std::vector<std::string> AwkwardValues() {
  // clang-format off
  return {AllBytes(), std::string(3, '\0'), "", "@Variant(x)", "@@x", "a, b", "\"quoted\"",
          " padded ", "x=y;z#w[qv]", "line\nbreak\r\n", "\xFF\xFE", "\x01" "1aF",
          std::string("\0" "7", 2)};
  // clang-format on
}

}  // namespace qv
