// Stored-text to number conversions used by the settings readers.
#include "common/number_text.h"

#include "common/text_length.h"

#include <cmath>

namespace qv {
namespace {

constexpr std::string_view kBlanks = " \t";

std::optional<std::int64_t> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) {
    int d = (c >= '0' && c <= '9')   ? c - '0'
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                     : -1;
    if (d < 0) return std::nullopt;
    value = value * 16 + d;
  }
  // Eight hex digits are a signed Long, as &H80000005 is a system colour.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

int LeadingNumber(std::string_view text) {
  text = Trimmed(text, kBlanks);
  bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  double value = 0, scale = 0;  // scale > 0 once past the decimal point
  for (char c : text) {
    if (c == '.' && scale == 0) {
      scale = 1;
    } else if (c >= '0' && c <= '9') {
      if (scale > 0)
        value += (c - '0') * (scale /= 10);
      else
        value = value * 10 + (c - '0');
      if (value > 2147483647.0) return 0;
    } else {
      break;
    }
  }
  if (negative) value = -value;
  if (value < -2147483648.0) return 0;
  return static_cast<int>(std::nearbyint(value));  // default rounding: half to even
}

std::optional<std::int32_t> WholeNumber(std::string_view text) {
  text = Trimmed(text, kBlanks);
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h'))
    return ParseHex(text.substr(2));
  bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace qv
