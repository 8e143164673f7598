// The INI text the Linux settings file is kept in, byte for byte as Qt's QSettings writes
// and reads it (UTF-8, its escapes and quotes), so files of earlier builds keep loading
// and Qt programs can still read what QV writes. Values are byte strings; each byte is
// one Latin-1 character of the file's text. Lines QV does not own are never rewritten.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qv {

// "section/key" -> value.
using IniValues = std::map<std::string, std::string>;

struct ParsedIni {
  IniValues values;      // what QV reads; a key whose value is not valid text is absent
  bool damaged = false;  // a line that is neither a section, a key, a comment nor blank
  // Where each key's value stands in the text (its last definition, which is the one read),
  // and where a new key of each section goes: past the section's last line.
  std::map<std::string, std::pair<std::size_t, std::size_t>> valuePlaces = {};
  std::map<std::string, std::size_t> sectionEnds = {};
  // Where a new section goes: the end, or before the section of a last line left open (an
  // unclosed quote or a trailing backslash), which would take in whatever followed it;
  // when that line is top-level, "[General]" must follow the new section.
  std::size_t appendAt = 0;
  bool topLevelFollows = false;
};

// Reads the text as QSettings does: past a UTF-8 byte-order mark, sections trimmed
// ("general" in any case is the top level), line breaks inside quotes, comments after ';'.
ParsedIni ParseIni(std::string_view text);
// The text with the changes made: each value rewritten where it stands, a new key at the
// end of its section, a new section at the end; every other byte as it was.
std::string UpdateIni(std::string_view text, const ParsedIni& parsed, const IniValues& changes);
// A new file holding the values.
std::string FormatIni(const IniValues& values);

}  // namespace qv
