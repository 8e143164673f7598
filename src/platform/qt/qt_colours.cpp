// The Windows system colour numbers (GetSysColor indexes) mapped onto palette roles.
#include "platform/qt/qt_colours.h"

namespace qv {

QPalette::ColorRole RoleForSystemColour(int index) {
  switch (index) {
    case 5:  // window background
      return QPalette::Base;
    case 6:   // window frame
    case 16:  // button shadow
      return QPalette::Shadow;
    case 7:  // menu text
    case 8:  // window text
      return QPalette::Text;
    case 9:   // caption text
    case 14:  // highlighted text
      return QPalette::HighlightedText;
    case 13:  // highlight
    case 2:   // active caption
      return QPalette::Highlight;
    case 15:  // button face
    case 4:   // menu
      return QPalette::Button;
    case 18:  // button text
      return QPalette::ButtonText;
    case 20:  // button highlight
      return QPalette::Light;
    case 17:  // grey text
      return QPalette::PlaceholderText;
    case 23:  // tooltip text
      return QPalette::ToolTipText;
    case 24:  // tooltip background
      return QPalette::ToolTipBase;
    default:
      return QPalette::Window;
  }
}

QPalette LightPalette() {
  const QColor face(0xF0, 0xF0, 0xF0), grey(0x6D, 0x6D, 0x6D);
  QPalette palette(face);  // shades of the face for the bevels
  palette.setColor(QPalette::Window, face);
  palette.setColor(QPalette::Button, face);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
  for (QPalette::ColorRole text :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
    palette.setColor(text, Qt::black);
  palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
  palette.setColor(QPalette::PlaceholderText, grey);
  for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, text, grey);
  palette.setColor(QPalette::Disabled, QPalette::Base, face);
  return palette;
}

QColor ToQColor(Colour colour, const QPalette& palette) {
  if (IsSystemColour(colour)) return palette.color(RoleForSystemColour(SystemColourIndex(colour)));
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace qv
