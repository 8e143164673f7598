// A window of the Qt backend, built from a declaration: labels, line edits, check boxes,
// group boxes and pictures placed in device-independent pixels (15 twips each). Mouse
// events of every control reach the form under the control's id.
#pragma once

#include <QObject>
#include <QPointer>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_widgets.h"

namespace qv {

class QtWindow;

// The keys a window hears of, from Qt's key codes; nothing for the others.
std::optional<Key> KeyFor(int qtKey);
class QtPlatform;

// Lives with the widgets (which may outlive the QtWindow until deleteLater runs).
class EventRouter final : public QObject {
 public:
  explicit EventRouter(QtWindow* owner) : owner(owner) {}
  QtWindow* owner;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

class QtWindow final : public Window {
 public:
  // Tells the platform when it goes, if one is given.
  QtWindow(const WindowLayout& layout, WindowEvents& events, QtPlatform* platform = nullptr);
  ~QtWindow() override;

  void Show() override;
  void Hide() override;
  void Close() override;
  void MakeTopmost() override;
  void MoveTo(float leftTwips, float topTwips) override;
  void SetText(int control, const std::string& text) override;
  std::string Text(int control) const override;
  void SetBackColour(int control, Colour colour) override;
  void SetEnabled(int control, bool enabled) override;
  int Value(int control) const override;
  void SetValue(int control, int value) override;
  void DragWithMouse() override;

  QWidget* Top() const { return top_; }
  QWidget* Control(int id) const { return widgets_.at(id); }
  void RequestClose(UnloadMode mode);
  void RaiseClick(int control);

 private:
  friend class EventRouter;
  bool Route(QObject* watched, QEvent* event);
  void Build();
  QWidget* MakeControl(const ControlLayout& control, QWidget* parent);
  void FocusFirst();
  void KeepPlace();
  std::string TextOfBox(int control, const QString& shown) const;

  // What each text box was last given by the program, and how Qt shows it.
  struct GivenText {
    QString shown;
    std::string bytes;
  };
  std::unordered_map<int, GivenText> givenTexts_;

  const WindowLayout& layout_;
  WindowEvents* events_;
  QtPlatform* platform_;
  TopWidget* top_;
  EventRouter* router_;
  std::vector<QWidget*> widgets_;
  std::unordered_map<QObject*, int> ids_;
  // Where the left button went down (a control, or kWindowItself), until it comes up:
  // a release over the same place is a Click.
  std::optional<int> leftPressOn_;
  bool placed_ = false;
  QPoint wanted_;          // where QV last placed it
  bool settling_ = false;  // shown, and not yet where the window manager put it
  bool topmost_ = false;
  bool closed_ = false;
  QPoint dragOffset_;
  bool manualDrag_ = false;
};

}  // namespace qv
