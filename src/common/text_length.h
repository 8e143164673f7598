// Counting the characters of a UTF-8 text, as the Linux build's narrow texts are: code
// points, so an emoji is one character. The
// platform says which count applies to its texts (Windows' ANSI texts count bytes).
#pragma once

#include <cstddef>
#include <string_view>

namespace qv {

std::size_t Utf8CharacterCount(std::string_view text);

// The bytes of the text's first `characters` characters: a limit never cuts one in half.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t characters);

}  // namespace qv
