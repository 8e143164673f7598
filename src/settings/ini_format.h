// The INI text the Linux settings file is kept in, byte for byte as Qt's QSettings writes
// and reads it (UTF-8, its escapes and quotes), so files of earlier builds keep loading
// and Qt programs can still read what QV writes. Values are byte strings; each byte is
// one Latin-1 character of the file's text.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qv {

// "section/key" -> value.
using IniValues = std::map<std::string, std::string>;

struct ParsedIni {
  IniValues values;
  bool damaged = false;  // a line that is neither a section, a key, a comment nor blank
};

ParsedIni ParseIni(std::string_view text);
std::string FormatIni(const IniValues& values);

}  // namespace qv
