// Counting and decoding the characters of a UTF-8 text, as QV keeps its texts: code
// points, so an emoji is one character. The
// platform says which count applies to its texts (Windows' ANSI texts count bytes).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

std::size_t Utf8CharacterCount(std::string_view text);

// The bytes of the text's first `characters` characters: a limit never cuts one in half.
std::size_t Utf8PrefixLength(std::string_view text, std::size_t characters);

// The text without the characters of `blanks` at either end.
std::string_view Trimmed(std::string_view text, std::string_view blanks);

// The UTF-8 bytes of one character.
void AppendUtf8(std::string& out, char32_t c);
// The character at text[i], moving i past it; nothing for a malformed one (shortest forms,
// no surrogates), i then standing at the first byte that does not belong to it.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& i);
// The characters of a text that is valid UTF-8 (shortest forms, no surrogates); nothing
// for one that is not.
std::optional<std::u32string> DecodeUtf8(std::string_view text);

}  // namespace qv
