// Reading colours from the settings store.
#include "common/colour.h"

#include "common/number_text.h"
#include "settings/store.h"

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

ColourTable ColoursFromStore(SettingsStore& store) {
  return {ColourFromText(store.read(kApp, kSection, "clr1", "16777215"), kDefaultResting),
          ColourFromText(store.read(kApp, kSection, "clr2", "14737632"), kDefaultHover)};
}

}  // namespace qv
