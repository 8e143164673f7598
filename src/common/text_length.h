// Counting characters of the program's narrow texts: UTF-8 on Linux, the ANSI code page
// (one byte a character) on Windows. The build picks the matching file.
#pragma once

#include <cstddef>
#include <string_view>

namespace qv {

std::size_t CharacterCount(std::string_view text);

}  // namespace qv
