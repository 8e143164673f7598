// Counting the characters of a UTF-8 text, as the Linux build's narrow texts are. The
// platform says which count applies to its texts (Windows' ANSI texts count bytes).
#pragma once

#include <cstddef>
#include <string_view>

namespace qv {

std::size_t Utf8CharacterCount(std::string_view text);

}  // namespace qv
