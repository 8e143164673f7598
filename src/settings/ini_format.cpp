// Reading and writing the INI text: QSettings' quoting and escapes, UTF-8 in the file and
// Latin-1 bytes in the values.
#include "settings/ini_format.h"

#include <cstdint>

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

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next UTF-8 character at text[i], moving i past it; U+FFFD for a malformed one.
std::uint32_t NextUtf8(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i++);
  if (lead < 0x80) return lead;
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0 || lead > 0xF4) return 0xFFFD;
  std::uint32_t c = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (byte(i++) & 0x3F);
  }
  return c;
}

// What Latin-1 makes of a character: itself up to U+00FF, else "?".
char Latin1(std::uint32_t c) {
  return c <= 0xFF ? static_cast<char>(c) : '?';
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

std::string UnescapedKey(std::string_view key) {
  std::string out;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '\\') {
      out += '/';
    } else if (key[i] == '%' && i + 2 < key.size() && IsHexDigit(key[i + 1]) &&
               IsHexDigit(key[i + 2])) {
      out += static_cast<char>(HexValue(key[i + 1]) * 16 + HexValue(key[i + 2]));
      i += 2;
    } else {
      out += key[i];
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

// A number escape after "\x" (hex) or "\0".."\7" (octal): every digit that follows counts.
std::uint32_t NumberEscape(std::string_view raw, std::size_t& i, int base) {
  std::uint32_t value = 0;
  while (i < raw.size()) {
    const auto c = static_cast<unsigned char>(raw[i]);
    const bool digit = base == 16 ? IsHexDigit(c) : (c >= '0' && c <= '7');
    if (!digit) break;
    value = value * base + (base == 16 ? HexValue(c) : c - '0');
    if (value > 0x10FFFF) value = 0xFFFD;
    ++i;
  }
  return value;
}

std::string UnescapedValue(std::string_view raw) {
  std::string out;
  std::size_t kept = 0;  // out's length up to its last character that is not an outer blank
  bool inQuotes = false;
  std::size_t i = 0;
  while (i < raw.size()) {
    const char c = raw[i];
    if (c == '"') {
      inQuotes = !inQuotes, ++i;
      kept = out.size();
    } else if (c == '\\' && i + 1 < raw.size()) {
      const char e = raw[i + 1];
      i += 2;
      if (e == 'x') {
        const std::size_t start = i;
        const std::uint32_t value = NumberEscape(raw, i, 16);
        if (i > start) out += Latin1(value);
      } else if (e >= '0' && e <= '7') {
        --i;
        out += Latin1(NumberEscape(raw, i, 8));
      } else {
        static const std::string_view from = "abfnrtv", to = "\a\b\f\n\r\t\v";
        const std::size_t k = from.find(e);
        out += k == std::string_view::npos ? e : to[k];
      }
      kept = out.size();
    } else if (!inQuotes && c == ';') {
      break;  // the rest of the line is a comment
    } else if (!inQuotes && (c == ' ' || c == '\t')) {
      if (!out.empty()) out += c;
      ++i;
    } else {
      out += Latin1(NextUtf8(raw, i));
      kept = out.size();
    }
  }
  out.resize(kept);
  return out;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

ParsedIni ParseIni(std::string_view text) {
  ParsedIni parsed;
  std::string section;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const std::size_t close = line.rfind(']');
      if (close == std::string_view::npos) {
        parsed.damaged = true;
        continue;
      }
      section = UnescapedKey(line.substr(1, close - 1));
      if (section == "General") section.clear();
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      parsed.damaged = true;
      continue;
    }
    std::string value = UnescapedValue(line.substr(equals + 1));
    if (value == "@Invalid()") continue;  // QSettings' mark of no value
    if (value.rfind("@String(", 0) == 0 && value.back() == ')')
      value = value.substr(8, value.size() - 9);
    else if (value.rfind("@@", 0) == 0)
      value.erase(0, 1);
    const std::string key = UnescapedKey(Trimmed(line.substr(0, equals)));
    parsed.values[section.empty() ? key : section + "/" + key] = std::move(value);
  }
  return parsed;
}

std::string FormatIni(const IniValues& values) {
  std::map<std::string, std::string> sections;  // section -> its lines
  for (const auto& [path, value] : values) {
    const std::size_t slash = path.find('/');
    const std::string section = slash == std::string::npos ? "General" : path.substr(0, slash);
    sections[section] += EscapedKey(slash == std::string::npos ? path : path.substr(slash + 1)) +
                         "=" + EscapedValue(value) + "\n";
  }
  std::string out;
  for (const auto& [section, lines] : sections)
    out += (out.empty() ? "[" : "\n[") + EscapedKey(section) + "]\n" + lines;
  return out;
}

}  // namespace qv
