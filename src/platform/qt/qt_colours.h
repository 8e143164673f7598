// Colours on Qt: a Windows colour value becomes a QColor; system colours come from the
// application palette's nearest role.
#pragma once

#include <QColor>
#include <QPalette>

#include "common/colour.h"

namespace qv {

// QV's own windows look the same on every desktop theme, as they do on Windows: one light
// scheme gives their text and their backgrounds. Dialogs and message boxes keep the
// desktop's palette.
QPalette LightPalette();

QPalette::ColorRole RoleForSystemColour(int index);
QColor ToQColor(Colour colour, const QPalette& palette);

}  // namespace qv
