// Lookups in a window declaration.
#include "platform/window_spec.h"

namespace qv {

ControlSpec Label(std::string name, int index, std::string parent, TwipRect place, std::string text,
                  unsigned look) {
  ControlSpec c;
  c.kind = ControlKind::Label;
  c.name = std::move(name), c.index = index, c.parent = std::move(parent);
  c.place = place, c.text = std::move(text), c.look = look;
  return c;
}

ControlSpec TextBox(std::string name, int index, std::string parent, TwipRect place,
                    std::string text, unsigned look, int tabOrder, int maxLength) {
  ControlSpec c = Label(std::move(name), index, std::move(parent), place, std::move(text), look);
  c.kind = ControlKind::TextBox;
  c.tabOrder = tabOrder, c.maxLength = maxLength;
  return c;
}

ControlSpec CheckBox(std::string name, std::string parent, TwipRect place, std::string text,
                     unsigned look, int tabOrder) {
  ControlSpec c = Label(std::move(name), kNoIndex, std::move(parent), place, std::move(text), look);
  c.kind = ControlKind::CheckBox;
  c.tabOrder = tabOrder;
  return c;
}

ControlSpec Frame(std::string name, TwipRect place, std::string caption) {
  ControlSpec c = Label(std::move(name), kNoIndex, "", place, std::move(caption), kWhiteBack);
  c.kind = ControlKind::Frame;
  return c;
}

ControlSpec Picture(std::string name, TwipRect place, std::string picture) {
  ControlSpec c = Label(std::move(name), kNoIndex, "", place, "", kPlainLook);
  c.kind = ControlKind::Picture;
  c.picture = std::move(picture);
  return c;
}

ControlSpec PictureBox(std::string name, TwipRect place, std::string picture) {
  ControlSpec c = Picture(std::move(name), place, std::move(picture));
  c.kind = ControlKind::PictureBox;
  c.look = kAutoSize | kSunken;
  return c;
}

int WindowSpec::find(const std::string& controlName, int controlIndex) const {
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].name == controlName && controls[i].index == controlIndex)
      return static_cast<int>(i);
  return -1;
}

}  // namespace qv
