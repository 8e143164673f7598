// Twips, the unit every window layout is written in: 1440 to the inch, so 15 to a
// pixel at 96 dots per inch. Backends turn them into their own pixels.
#pragma once

#include <cmath>

namespace qv {

constexpr int kTwipsPerPixel = 15;

struct TwipRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// A part of the desktop, a monitor say, in the desktop's coordinates.
struct TwipArea {
  float left = 0, top = 0, width = 0, height = 0;
};

// Rounds to the nearest pixel at the given scale (15 twips per pixel at 96 dpi).
inline int TwipsToPixels(double twips, double twipsPerPixel = kTwipsPerPixel) {
  return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace qv
