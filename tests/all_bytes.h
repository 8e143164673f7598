// The 256 single-byte codes in order, the text every byte-exact round trip is tried with.
#pragma once

#include <string>

namespace qv {

inline std::string AllBytes() {
  std::string text;
  for (int c = 0; c < 256; ++c) text += static_cast<char>(c);
  return text;
}

}  // namespace qv
