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

// The text colour to draw on a background: the given one where it reads there, else black
// or white, whichever does. A high-contrast scheme makes the system's text light, which
// would vanish on QV's fixed white frames and its light stored colours. "Reads" is the
// brightness difference of 125 that W3C suggests for text. Both plain colours.
constexpr int BrightnessOf(Colour c) {
  return (RedOf(c) * 299 + GreenOf(c) * 587 + BlueOf(c) * 114) / 1000;
}
constexpr Colour ReadableTextOn(Colour back, Colour text) {
  const int difference = BrightnessOf(text) - BrightnessOf(back);
  if (difference >= 125 || difference <= -125) return text;
  return BrightnessOf(back) >= 128 ? 0x000000 : kWhite;
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
