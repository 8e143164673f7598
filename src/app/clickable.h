// The clickable labels' colours: every push button of the four windows is a label whose
// background is the resting colour, or the hover colour while the pointer is over it.
#pragma once

#include <array>

#include "common/colour.h"
#include "platform/platform.h"

namespace qv {

// Paints the labels in index order: the one at `hovered` in the hover colour, the others
// resting. Pass -1 to paint them all resting.
template <std::size_t N>
void PaintGroup(Window& window, const std::array<int, N>& labels, const ColourTable& colours,
                int hovered = -1) {
  for (std::size_t i = 0; i < N; ++i)
    window.SetBackColour(labels[i],
                         static_cast<int>(i) == hovered ? colours.hover : colours.resting);
}

}  // namespace qv
