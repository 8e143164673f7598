// Colours from their stored texts.
#include "common/colour.h"

#include "common/number_text.h"

namespace qv {
namespace {

constexpr int kHighestSystemColour = 30;

bool IsValidColour(Colour c) {
  if (IsSystemColour(c))
    return (c & 0x7FFFFF00) == 0 && SystemColourIndex(c) <= kHighestSystemColour;
  return c <= 0x00FFFFFF;
}

}  // namespace

Colour ColourFromText(std::string_view text, Colour fallback) {
  auto number = WholeNumber(text);
  if (!number) return fallback;
  auto colour = static_cast<Colour>(*number);
  return IsValidColour(colour) ? colour : fallback;
}

}  // namespace qv
