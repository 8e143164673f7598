// How the Windows store keeps the texts of the settings (slot titles and programs, the
// password) before they are scrambled. Builds before Unicode kept one byte a character,
// so text that Latin-1 holds is still kept that way, byte for byte as they stored it;
// any other text is kept as UTF-8. Reading tells the two apart: UTF-8 is only ever
// written for text with a character beyond Latin-1.
#pragma once

#include <string>
#include <string_view>

namespace qv {

std::string Latin1WhereItFits(std::string_view utf8);
std::string Utf8FromStored(std::string_view stored);

}  // namespace qv
