// Colours on Qt: a Windows colour value becomes a QColor; system colours come from the
// application palette's nearest role.
#pragma once

#include <QColor>
#include <QPalette>

#include "common/colour.h"

namespace qv {

QPalette::ColorRole RoleForSystemColour(int index);
QColor ToQColor(Colour colour, const QPalette& palette);

}  // namespace qv
