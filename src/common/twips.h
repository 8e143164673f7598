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

// Pixels at a monitor's dots per inch, the nearest, halves away from zero (as MulDiv).
inline int TwipsToPixelsAtDpi(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

// The twips of a pixel distance at a monitor's dots per inch.
inline float PixelsToTwipsAtDpi(int pixels, int dpi) {
  return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi);
}

// The height in pixels of a font of the given size in points (1/72 inch).
inline int PointsToPixelsAtDpi(double points, int dpi) {
  return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace qv
