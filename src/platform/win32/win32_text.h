// Texts at the Win32 seam: QV keeps UTF-8, Windows takes UTF-16 through its W calls, so any
// path and any menu text is shown, started and saved back as it is, whatever the code page.
#pragma once

#include <string>
#include <string_view>

namespace qv {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace qv
