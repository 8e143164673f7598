// Lookups in a window declaration, and what every backend derives from it the same way.
#include "platform/window_layout.h"

#include <algorithm>

#include "common/text_length.h"

namespace qv {

ControlLayout Label(std::string name, int index, std::string parent, TwipRect place,
                    std::string text, unsigned look) {
  ControlLayout c;
  c.kind = ControlKind::Label;
  c.name = std::move(name), c.index = index, c.parent = std::move(parent);
  c.place = place, c.text = std::move(text), c.look = look;
  return c;
}

ControlLayout TextBox(std::string name, int index, std::string parent, TwipRect place,
                      std::string text, unsigned look, int tabOrder, int maxLength) {
  ControlLayout c = Label(std::move(name), index, std::move(parent), place, std::move(text), look);
  c.kind = ControlKind::TextBox;
  c.tabOrder = tabOrder, c.maxLength = maxLength;
  return c;
}

ControlLayout CheckBox(std::string name, std::string parent, TwipRect place, std::string text,
                       unsigned look, int tabOrder) {
  ControlLayout c =
      Label(std::move(name), kNoIndex, std::move(parent), place, std::move(text), look);
  c.kind = ControlKind::CheckBox;
  c.tabOrder = tabOrder;
  return c;
}

ControlLayout Frame(std::string name, TwipRect place, std::string caption) {
  ControlLayout c = Label(std::move(name), kNoIndex, "", place, std::move(caption), kWhiteBack);
  c.kind = ControlKind::Frame;
  return c;
}

ControlLayout Picture(std::string name, TwipRect place, std::string picture) {
  ControlLayout c = Label(std::move(name), kNoIndex, "", place, "", kPlainLook);
  c.kind = ControlKind::Picture;
  c.picture = std::move(picture);
  return c;
}

ControlLayout PictureBox(std::string name, TwipRect place, std::string picture) {
  ControlLayout c = Picture(std::move(name), place, std::move(picture));
  c.kind = ControlKind::PictureBox;
  c.look = kAutoSize | kSunken;
  return c;
}

ControlLayout Named(ControlLayout control, std::string accessibleName) {
  control.accessibleName = std::move(accessibleName);
  return control;
}

ControlLayout NamedWhenBlank(ControlLayout label, std::string blankName) {
  label.blankName = std::move(blankName);
  return label;
}

std::string AccessibleNameOf(const ControlLayout& control) {
  if (!control.accessibleName.empty()) return control.accessibleName;
  const std::size_t first = control.text.find_first_not_of(' ');
  if (first == std::string::npos) return control.blankName;
  return control.text.substr(first, control.text.find_last_not_of(' ') - first + 1);
}

int WindowLayout::Find(const std::string& controlName, int controlIndex) const {
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].name == controlName && controls[i].index == controlIndex)
      return static_cast<int>(i);
  return -1;
}

std::vector<int> TabOrder(const WindowLayout& layout) {
  std::vector<int> order;
  for (std::size_t i = 0; i < layout.controls.size(); ++i)
    if (layout.controls[i].tabOrder >= 0) order.push_back(static_cast<int>(i));
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return layout.controls[a].tabOrder < layout.controls[b].tabOrder;
  });
  return order;
}

int FirstFocus(const WindowLayout& layout, const std::function<bool(int)>& isEnabled) {
  for (int id : TabOrder(layout))
    if (!(layout.controls[id].look & kHidden) && isEnabled(id)) return id;
  return -1;
}

Span GrownToFit(Span declared, int needed, bool tickRight) {
  const int missing = needed - declared.width;
  if (missing <= 0) return declared;
  return {tickRight ? declared.left - missing : declared.left, needed};
}

std::string KeptText(const ControlLayout& control, const std::string& text) {
  if (control.maxLength <= 0) return text;
  return text.substr(0, Utf8PrefixLength(text, static_cast<std::size_t>(control.maxLength)));
}

}  // namespace qv
