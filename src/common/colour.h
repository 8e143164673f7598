// Colours as the windows store them: 32-bit values in the Windows layout (red in the
// low byte), where 0x80000000 + n names system colour n. Shared by every window.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv {

using Colour = std::uint32_t;

constexpr Colour kSystemColourFlag = 0x80000000;
constexpr Colour kSystemWindow = 0x80000005;  // system colour 5: window background
constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kDefaultResting = 16777215;  // white
constexpr Colour kDefaultHover = 14737632;    // light grey, E0E0E0

constexpr bool IsSystemColour(Colour c) {
  return (c & kSystemColourFlag) != 0;
}
constexpr int SystemColourIndex(Colour c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int RedOf(Colour c) {
  return c & 0xFF;
}
constexpr int GreenOf(Colour c) {
  return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Colour c) {
  return (c >> 16) & 0xFF;
}

// The two colours of every clickable label: element 0 resting, element 1 under the pointer.
struct ColourTable {
  Colour resting = kDefaultResting;
  Colour hover = kDefaultHover;
};

// Converts a stored colour text to a colour. Decimal (optionally signed, as a 32-bit
// Long) or "&H" hexadecimal; anything that is not a valid colour gives the fallback,
// so a hand-edited store can never leave the menu unreadable.
Colour ColourFromText(std::string_view text, Colour fallback);

}  // namespace qv
