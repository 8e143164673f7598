// Reading and writing the INI text: QSettings' lines, quoting and escapes, UTF-8 in the
// file and Latin-1 bytes in the values. Reading follows QSettings' own parser step by
// step, so a hand-edited file reads as it did when QV kept its settings through Qt.
#include "settings/ini_format.h"

#include "common/text_length.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv {
namespace {

bool IsHexDigit(std::uint32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(std::uint32_t c) {
  return c <= '9' ? static_cast<int>(c - '0') : static_cast<int>((c | 0x20) - 'a' + 10);
}

std::string Hex(unsigned value) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  do text.insert(text.begin(), digits[value % 16]);
  while ((value /= 16) != 0);
  return text;
}

bool IsPlainKeyCharacter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.';
}

std::string EscapedKey(std::string_view key) {
  std::string out;
  for (unsigned char c : key) {
    if (c == '/') {
      out += '\\';
    } else if (IsPlainKeyCharacter(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += "0123456789ABCDEF"[c >> 4];
      out += "0123456789ABCDEF"[c & 0xF];
    }
  }
  return out;
}

const char* ControlEscape(unsigned char c) {
  switch (c) {
    case '\a':
      return "\\a";
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    case '\v':
      return "\\v";
    default:
      return nullptr;
  }
}

// A text value as QSettings writes it: one holding a NUL character marked "@String(...)",
// a leading "@" doubled, control characters escaped, and quotes where a separator or an
// outer blank would otherwise be lost.
std::string EscapedValue(std::string_view value) {
  std::string text(value);
  if (text.find('\0') != std::string::npos)
    text = "@String(" + text + ")";
  else if (!text.empty() && text[0] == '@')
    text.insert(text.begin(), '@');
  std::string out;
  bool needsQuotes = false, escapeNextIfDigit = false;
  for (unsigned char c : text) {
    if (c == ';' || c == ',' || c == '=') needsQuotes = true;
    if (escapeNextIfDigit && IsHexDigit(c)) {
      out += "\\x" + Hex(c);
      continue;
    }
    escapeNextIfDigit = false;
    if (c == '\0') {
      out += "\\0";
      escapeNextIfDigit = true;
    } else if (const char* escape = ControlEscape(c)) {
      out += escape;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c <= 0x1F) {
      out += "\\x" + Hex(c);
      escapeNextIfDigit = true;
    } else {
      AppendUtf8(out, c);
    }
  }
  if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
    out = '"' + out + '"';
  return out;
}

// Characters as QString holds them: code points, each counted as its UTF-16 units when
// made Latin-1 again, as QString::toLatin1 does.
using Characters = std::u32string;

// A malformed sequence becomes U+FFFD, as QString::fromUtf8 makes it.
void AppendDecoded(Characters& out, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) out += NextUtf8(utf8, i).value_or(U'\uFFFD');
}

// What QString::toLatin1 makes of the characters: itself up to U+00FF, else "?" for
// each UTF-16 unit.
std::string Latin1(const Characters& text) {
  std::string out;
  for (char32_t c : text) out.append(c > 0xFFFF ? 2 : 1, c <= 0xFF ? static_cast<char>(c) : '?');
  return out;
}

constexpr bool IsLineSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// What QByteArray::trimmed takes away.
constexpr std::string_view kBlanks = " \t\n\r\v\f";

// One logical line as QSettings reads it: a line break inside quotes or after a
// backslash continues it; a ';' outside quotes ends it (a comment follows); a line that
// starts with ';' is a comment, skipped. False at the end of the text.
struct LogicalLine {
  std::size_t start = 0, length = 0;
  std::size_t equals = std::string_view::npos;  // the first '=' outside quotes
  // It runs to the end of the text in an open quote or escape: whatever follows it would
  // become part of it.
  bool open = false;
};

bool NextLine(std::string_view data, std::size_t& pos, LogicalLine& line) {
  bool inQuotes = false;
  line.equals = std::string_view::npos;
  line.open = false;
  line.start = pos;
  while (line.start < data.size() && IsLineSpace(data[line.start])) ++line.start;
  std::size_t i = line.start;
  while (i < data.size()) {
    const char c = data[i++];
    if (c == '=') {
      if (!inQuotes && line.equals == std::string_view::npos) line.equals = i - 1;
    } else if (c == '\n' || c == '\r') {
      if (i == line.start + 1) {
        ++line.start;
      } else if (!inQuotes) {
        --i;
        break;
      }
    } else if (c == '\\') {
      if (i < data.size()) {
        const char next = data[i++];
        if (i < data.size() &&
            ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n')))
          ++i;
      }
      if (i == data.size()) line.open = true;  // an escape waiting for what comes next
    } else if (c == '"') {
      inQuotes = !inQuotes;
    } else if (c == ';') {
      if (i == line.start + 1) {
        while (i < data.size() && data[i] != '\n' && data[i] != '\r') ++i;
        while (i < data.size() && IsLineSpace(data[i])) ++i;
        line.start = i;
      } else if (!inQuotes) {
        --i;
        break;
      }
    }
  }
  pos = i;
  line.length = i - line.start;
  line.open = line.open || (inQuotes && i == data.size());
  return line.length > 0;
}

// A key or section name: "\" stands for "/", %XX and %UXXXX for characters.
std::string UnescapedKey(std::string_view key) {
  Characters decoded, out;
  if (key.substr(0, 3) == "\xEF\xBB\xBF") key.remove_prefix(3);  // as QString::fromUtf8 does
  AppendDecoded(decoded, key);
  auto hex = [&](std::size_t from, int digits, std::uint32_t& value) {
    value = 0;
    for (int k = 0; k < digits; ++k) {
      if (!IsHexDigit(decoded[from + k])) return false;
      value = value * 16 + HexValue(decoded[from + k]);
    }
    return true;
  };
  for (std::size_t i = 0; i < decoded.size();) {
    const char32_t c = decoded[i];
    if (c == '\\') {
      out += '/', ++i;
      continue;
    }
    const int digits = i + 1 < decoded.size() && decoded[i + 1] == 'U' ? 4 : 2;
    const std::size_t first = i + 1 + (digits == 4 ? 1 : 0);
    std::uint32_t value = 0;
    if (c == '%' && first + digits <= decoded.size() && hex(first, digits, value)) {
      out += value;
      i = first + digits;
    } else {
      out += c, ++i;
    }
  }
  std::string utf8;
  for (char32_t c : out) AppendUtf8(utf8, c);
  return utf8;
}

void ChopTrailingBlanks(Characters& text, std::size_t limit) {
  while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

// A number escape after "\x" (hex) or "\0".."\7" (octal): every digit that follows counts.
std::uint32_t NumberEscape(std::string_view raw, std::size_t& i, int base) {
  std::uint32_t value = 0;
  while (i < raw.size()) {
    const auto c = static_cast<unsigned char>(raw[i]);
    const bool digit = base == 16 ? IsHexDigit(c) : (c >= '0' && c <= '7');
    if (!digit) break;
    value = (value * base + (base == 16 ? HexValue(c) : c - '0')) & 0xFFFF;  // one QChar
    ++i;
  }
  return value;
}

// The text after "=", unquoted and unescaped as QSettings reads it; true when an unquoted
// comma made it a list.
bool UnescapedValue(std::string_view raw, Characters& text) {
  static const std::string_view from = "abfnrtv\"?'\\", to = "\a\b\f\n\r\t\v\"?'\\";
  bool isList = false, inQuotes = false, quoted = false;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
  };
  skipBlanks();
  std::size_t chopLimit = 0;
  while (i < raw.size()) {
    const char c = raw[i];
    if (c == '\\') {
      if (++i >= raw.size()) break;
      const char e = raw[i++];
      if (const std::size_t k = from.find(e); k != std::string_view::npos) {
        text += static_cast<unsigned char>(to[k]);
        chopLimit = text.size();
        continue;
      }
      if (e == 'x' && i < raw.size() && IsHexDigit(static_cast<unsigned char>(raw[i]))) {
        text += NumberEscape(raw, i, 16);
      } else if (e >= '0' && e <= '7') {
        --i;
        text += NumberEscape(raw, i, 8);
      } else if ((e == '\n' || e == '\r') && i < raw.size() && (raw[i] == '\n' || raw[i] == '\r') &&
                 raw[i] != e) {
        ++i;  // an escaped line break: both of its characters go
      }
      chopLimit = text.size();
    } else if (c == '"') {
      ++i;
      quoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) skipBlanks();
      chopLimit = text.size();
    } else if (c == ',' && !inQuotes) {
      isList = true;
      text.clear();  // a list reads as no text
      quoted = false;
      ++i;
      skipBlanks();
      chopLimit = 0;
    } else {
      std::size_t j = i + 1;
      while (j < raw.size() && raw[j] != '\\' && raw[j] != '"' && raw[j] != ',') ++j;
      AppendDecoded(text, raw.substr(i, j - i));
      i = j;
    }
  }
  if (!quoted) ChopTrailingBlanks(text, chopLimit);
  return isList;
}

bool StartsWith(const Characters& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (text[i] != static_cast<unsigned char>(prefix[i])) return false;
  return true;
}

// "@Size(1 2)", "@Point(1 2)", "@Rect(1 2 3 4)": the number of arguments QSettings wants.
bool IsTypedGeometry(const Characters& text) {
  int wanted = StartsWith(text, "@Rect(")                                  ? 4
               : StartsWith(text, "@Size(") || StartsWith(text, "@Point(") ? 2
                                                                           : 0;
  if (wanted == 0) return false;
  // As QSettings splits them: each blank and each ')' ends an argument.
  const std::size_t open = text.find(U'(');
  const auto args = std::count_if(text.begin() + open + 1, text.end(),
                                  [](char32_t c) { return c == U' ' || c == U')'; });
  return args == wanted;
}

// What QV read through QSettings: its value as text, or nothing for a value that is not
// valid (the reader's fallback then applies).
std::optional<std::string> ValueAsText(std::string_view raw) {
  Characters text;
  if (UnescapedValue(raw, text)) return std::string();
  if (!text.empty() && text.front() == '@' && text.back() == ')') {
    if (StartsWith(text, "@ByteArray(")) {
      Characters decoded;
      AppendDecoded(decoded, Latin1(text.substr(11, text.size() - 12)));
      return Latin1(decoded);
    }
    if (StartsWith(text, "@String(")) return Latin1(text.substr(8, text.size() - 9));
    if (StartsWith(text, "@Variant(") || StartsWith(text, "@DateTime(")) return std::nullopt;
    if (IsTypedGeometry(text)) return std::string();
    if (text == U"@Invalid()") return std::nullopt;
  }
  if (StartsWith(text, "@@")) text.erase(0, 1);
  return Latin1(text);
}

// Past the line break ("\n", "\r\n" or "\r") that ends the physical line holding `pos`.
std::size_t PastLineEnd(std::string_view text, std::size_t pos) {
  const std::size_t end = text.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) return text.size();
  return end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
}

// A key's path as QSettings keeps it: no empty parts, so no leading, trailing or double "/".
std::string NormalizedPath(std::string_view path) {
  std::string out;
  for (char c : path)
    if (c != '/' || (!out.empty() && out.back() != '/')) out += c;
  if (!out.empty() && out.back() == '/') out.pop_back();
  return out;
}

bool IsGeneral(std::string_view name) {
  return name.size() == 7 && std::equal(name.begin(), name.end(), "general",
                                        [](char a, char b) { return (a | 0x20) == b; });
}

// Reads a file line by line as QSettings does. QSettings gathers each section's lines
// (a section may come back later in the file) and reads the sections in the order of
// their names, top-level first; within one, the last definition of a key counts.
class IniReader {
 public:
  explicit IniReader(std::string_view text) : text_(text) {}

  ParsedIni Read() {
    const bool mark = text_.substr(0, 3) == "\xEF\xBB\xBF";
    std::size_t pos = mark ? 3 : 0;
    blockStart_ = pos;
    parsed_.appendAt = text_.size();
    for (LogicalLine line; NextLine(text_, pos, line);) {
      if (line.open) MarkOpen(line);
      if (text_[line.start] == '[')
        ReadSection(line);
      else
        ReadKey(line, mark && inTopBlock_ && text_.find_first_of("\r\n", 3) >= line.start);
    }
    std::stable_sort(definitions_.begin(), definitions_.end(),
                     [](const Definition& a, const Definition& b) { return a.order < b.order; });
    for (Definition& d : definitions_) {
      parsed_.valuePlaces[d.path] = d.place;
      if (d.value)
        parsed_.values[d.path] = std::move(*d.value);
      else
        parsed_.values.erase(d.path);
    }
    return std::move(parsed_);
  }

 private:
  struct Definition {
    std::string order;  // the section's name as QSettings sorts it
    std::string path;
    std::optional<std::string> value;
    std::pair<std::size_t, std::size_t> place;
  };

  // Whatever followed such a line would become part of it: new sections go before it.
  void MarkOpen(const LogicalLine& line) {
    const bool section = text_[line.start] == '[';
    parsed_.appendAt = section ? line.start : blockStart_ == 3 && inTopBlock_ ? 0 : blockStart_;
    parsed_.topLevelFollows = !section && inTopBlock_;
  }

  void ReadSection(const LogicalLine& l) {
    const std::string_view line = text_.substr(l.start, l.length);
    blockStart_ = l.start;
    inTopBlock_ = false;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) parsed_.damaged = true, close = line.size();
    const std::string_view name = Trimmed(line.substr(1, close - 1), kBlanks);
    section_ = IsGeneral(name) ? "" : UnescapedKey(name);
    if (!l.open) parsed_.sectionEnds[section_] = PastLineEnd(text_, l.start + l.length);
  }

  // QSettings finds the sections past a byte-order mark, but reads the top-level keys
  // from the file's first byte: a key on the mark's own line keeps its leading blanks.
  // (A byte-order mark that starts a key is dropped as the key is decoded.)
  void ReadKey(const LogicalLine& l, bool onMarkLine) {
    if (l.equals == std::string_view::npos) {
      parsed_.damaged = true;
      return;
    }
    const std::size_t keyStart = onMarkLine ? 0 : l.start;
    const std::string key =
        UnescapedKey(Trimmed(text_.substr(keyStart, l.equals - keyStart), kBlanks));
    const std::string path = section_.empty() ? key : section_ + "/" + key;
    // QSettings keeps a key with an empty part, but no one can ask for it by that name.
    if (key.empty() || NormalizedPath(path) != path) return;
    const std::size_t end = l.start + l.length;
    definitions_.push_back({section_.empty() ? "" : section_ + "/", path,
                            ValueAsText(text_.substr(l.equals + 1, end - l.equals - 1)),
                            ValuePlace(l.equals + 1, end)});
    if (!l.open) parsed_.sectionEnds[section_] = PastLineEnd(text_, end);
  }

  // The value's bytes without the blanks around it, which QSettings skips and a rewrite
  // keeps as the user spaced them.
  std::pair<std::size_t, std::size_t> ValuePlace(std::size_t from, std::size_t to) const {
    auto blank = [&](std::size_t at) { return text_[at] == ' ' || text_[at] == '\t'; };
    while (from < to && blank(from)) ++from;
    while (to > from && blank(to - 1)) --to;
    return {from, to};
  }

  std::string_view text_;
  ParsedIni parsed_;
  std::vector<Definition> definitions_;
  std::string section_;         // "" for the top level
  std::size_t blockStart_ = 0;  // where the section holding the current line begins
  bool inTopBlock_ = true;      // no section line yet: the keys are top-level
};

// Sections QV adds, each after a blank line; when they go before a last line left open
// that is top-level, "[General]" follows them so that line stays top-level.
std::string NewSections(std::string_view text, const ParsedIni& parsed,
                        const std::map<std::string, std::string>& sections) {
  std::string added;
  for (const auto& [name, lines] : sections)
    added +=
        (parsed.appendAt == 0 && added.empty() ? "[" : "\n[") + EscapedKey(name) + "]\n" + lines;
  if (parsed.topLevelFollows) added += "\n[General]";
  if (parsed.appendAt < text.size()) added += '\n';
  return added;
}

}  // namespace

ParsedIni ParseIni(std::string_view text) {
  return IniReader(text).Read();
}

std::string UpdateIni(std::string_view text, const ParsedIni& parsed, const IniValues& changes) {
  std::map<std::size_t, std::pair<std::size_t, std::string>> replaced;  // from -> (to, value)
  std::map<std::size_t, std::string> inserted;                          // at -> lines
  std::map<std::string, std::string> newSections;                       // name -> lines
  for (const auto& [path, value] : changes) {
    if (auto place = parsed.valuePlaces.find(path); place != parsed.valuePlaces.end()) {
      replaced[place->second.first] = {place->second.second, EscapedValue(value)};
      continue;
    }
    const std::size_t slash = path.find('/');
    const std::string section = slash == std::string::npos ? "" : path.substr(0, slash);
    const std::string line =
        EscapedKey(slash == std::string::npos ? path : path.substr(slash + 1)) + "=" +
        EscapedValue(value) + "\n";
    if (auto end = parsed.sectionEnds.find(section); end != parsed.sectionEnds.end())
      inserted[end->second] += line;
    else
      newSections[section.empty() ? "General" : section] += line;
  }
  if (!newSections.empty()) inserted[parsed.appendAt] += NewSections(text, parsed, newSections);
  std::string out;
  std::size_t done = 0;
  auto copyTo = [&](std::size_t at) { out.append(text.substr(done, at - done)), done = at; };
  auto r = replaced.begin();
  auto i = inserted.begin();
  while (r != replaced.end() || i != inserted.end()) {
    if (r != replaced.end() && (i == inserted.end() || r->first <= i->first)) {
      copyTo(r->first);
      out += r->second.second;
      done = r->second.first;
      ++r;
    } else {
      copyTo(i->first);
      if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += '\n';
      out += i->second;
      ++i;
    }
  }
  copyTo(text.size());
  return out;
}

std::string FormatIni(const IniValues& values) {
  return UpdateIni("", ParsedIni{}, values);
}

}  // namespace qv
