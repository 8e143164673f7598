// A window declared as data: its size and look, and every control with kind, name,
// array index, parent, position in twips, design text and look. Backends build real
// controls from it; the forms address controls by their position in the table.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/twips.h"

namespace qv {

enum class ControlKind { Label, TextBox, CheckBox, Frame, Picture, PictureBox };

// Look flags; a control may combine several.
enum Look : unsigned {
  kPlainLook = 0,
  kClickable = 1u << 0,    // push-button label: opaque, centred, bold, colour-table background
  kBoldFont = 1u << 1,     // Verdana 9.75 pt bold (else the default interface font)
  kCentred = 1u << 2,      // centred text
  kMasked = 1u << 3,       // text box showing "#" for every character
  kReadOnly = 1u << 4,     // text box the user cannot type into
  kWhiteBack = 1u << 5,    // white background (frames and what sits on them)
  kTickRight = 1u << 6,    // check box with its tick box right of the caption
  kHidden = 1u << 7,       // never visible
  kAutoSize = 1u << 8,     // sizes itself to its text or picture
  kTransparent = 1u << 9,  // no background of its own
  kSunken = 1u << 10,      // sunken border
};

constexpr int kNoIndex = -1;  // a control that is not an element of a control array

struct ControlLayout {
  ControlKind kind = ControlKind::Label;
  std::string name;
  int index = kNoIndex;
  std::string parent;  // a frame's name, or empty for the window itself
  int parentId = -1;   // that frame's id, filled in as the control is declared
  TwipRect place;      // relative to the parent
  std::string text;
  unsigned look = kPlainLook;
  int maxLength = 0;           // text boxes: 0 is unlimited
  int tabOrder = -1;           // keyboard focus order; -1 never takes the focus
  std::string picture;         // pictures: the asset's name
  std::string accessibleName;  // what a screen reader announces; empty: the control's text
  std::string blankName;       // what it announces for a label showing no text
};

// What assistive technology presents a window as: a dialog of controls, or a menu whose
// clickable labels are its items.
enum class WindowRole { Dialog, Menu };

// Declarations of each kind of control; `parent` is a frame's name or "" for the window.
ControlLayout Label(std::string name, int index, std::string parent, TwipRect place,
                    std::string text, unsigned look);
ControlLayout TextBox(std::string name, int index, std::string parent, TwipRect place,
                      std::string text, unsigned look, int tabOrder, int maxLength = 0);
ControlLayout CheckBox(std::string name, std::string parent, TwipRect place, std::string text,
                       unsigned look, int tabOrder);
ControlLayout Frame(std::string name, TwipRect place, std::string caption);    // white background
ControlLayout Picture(std::string name, TwipRect place, std::string picture);  // stretched
ControlLayout PictureBox(std::string name, TwipRect place,
                         std::string picture);  // sunken, own size
// The control with the name a screen reader announces instead of its text.
ControlLayout Named(ControlLayout control, std::string accessibleName);
// The label with the name a screen reader announces while it shows no text.
ControlLayout NamedWhenBlank(ControlLayout label, std::string blankName);
// The name a screen reader announces for a control as declared: its own, else its text
// trimmed, else its name for a blank label.
std::string AccessibleNameOf(const ControlLayout& control);

struct WindowLayout;

// The controls that take the keyboard focus, in the order Tab visits them.
std::vector<int> TabOrder(const WindowLayout& layout);
// The control that takes the focus when the window shows: the first in tab order that is
// visible and enabled (as the backend says); -1 when there is none.
int FirstFocus(const WindowLayout& layout, const std::function<bool(int)>& isEnabled);

// A check box's horizontal place, grown to hold a caption `needed` wide when its declared
// box is narrower. One with its tick on the right grows to the left, so the tick stays
// where it was laid out.
struct Span {
  int left;
  int width;
};
Span GrownToFit(Span declared, int needed, bool tickRight);

// What a box declared with a limit keeps of a UTF-8 text: its first characters as the user
// sees them (an emoji is one), never half of one; the whole text where there is no limit.
std::string KeptText(const ControlLayout& control, const std::string& text);

struct WindowLayout {
  std::string name;
  int width = 0;  // client area, twips
  int height = 0;
  bool inTaskbar = false;
  bool centred = false;  // opens centred on the screen; otherwise placed by code
  std::string icon;      // asset name, empty for none
  std::vector<ControlLayout> controls = {};
  std::string accessibleName = {};  // never shown: the windows have no caption bar
  WindowRole role = WindowRole::Dialog;

  // The table position of (name, index), or -1.
  int Find(const std::string& controlName, int controlIndex = kNoIndex) const;
};

}  // namespace qv
