// Building Qt widgets from a window declaration and routing their events.
#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "platform/qt/qt_accessible.h"
#include "platform/qt/qt_colours.h"
#include "platform/qt/qt_platform.h"

namespace qv {
namespace {

QRect Pixels(const TwipRect& r) {
  return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
          TwipsToPixels(r.height)};
}

Qt::WindowFlags FlagsFor(const WindowLayout& layout) {
  Qt::WindowFlags flags = Qt::FramelessWindowHint;
  return flags | (layout.inTaskbar ? Qt::Window : Qt::Tool);
}

QString FromNarrow(const std::string& text) {
  QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return result;
}

void Fill(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// A caption wider than its declared box grows the box rather than being cut.
void KeepCaptionWhole(QWidget* box, bool tickRight) {
  const Span grown = GrownToFit({box->x(), box->width()}, box->sizeHint().width(), tickRight);
  box->setGeometry(grown.left, box->y(), grown.width, box->height());
}

QPixmap Asset(const std::string& name) {
  return QPixmap(AssetPath(name));
}

}  // namespace

bool EventRouter::eventFilter(QObject* watched, QEvent* event) {
  return owner ? owner->Route(watched, event) : false;
}

QtWindow::QtWindow(const WindowLayout& layout, WindowEvents& events, QtPlatform* platform)
    : layout_(layout),
      events_(&events),
      platform_(platform),
      top_(new TopWidget(FlagsFor(layout))) {
  InstallAccessibleInterfaces();
  router_ = new EventRouter(this);
  router_->setParent(top_);
  Build();
}

QtWindow::~QtWindow() {
  if (platform_) platform_->Forget(this);
  router_->owner = nullptr;
  top_->onCloseRequest = nullptr;
  top_->hide();
  top_->deleteLater();  // we may be inside one of its own event handlers
}

void QtWindow::Build() {
  top_->setObjectName(QString::fromStdString(layout_.name));
  top_->setAccessibleName(FromNarrow(layout_.accessibleName));
  top_->isMenu = layout_.role == WindowRole::Menu;
  top_->setFixedSize(TwipsToPixels(layout_.width), TwipsToPixels(layout_.height));
  // The windows are laid out for the narrow classic 8-point interface font; Qt's own
  // dialogs and message boxes keep the desktop's.
  QFont font = QApplication::font();
  font.setPixelSize(10);
  top_->setFont(font);
  top_->setMouseTracking(true);
  top_->installEventFilter(router_);
  top_->setPalette(LightPalette());
  Fill(top_, ToQColor(kSystemWindow, top_->palette()));
  top_->onCloseRequest = [this] { RequestClose(UnloadMode::ByUser); };
  ids_[top_] = kWindowItself;
  for (const ControlLayout& control : layout_.controls) {
    QWidget* parent = control.parentId < 0 ? top_ : widgets_.at(control.parentId);
    QWidget* widget = MakeControl(control, parent);
    widget->setObjectName(QString::fromStdString(control.index == kNoIndex
                                                     ? control.name
                                                     : control.name + std::string("(") +
                                                           std::to_string(control.index) + ")"));
    widget->move(Pixels(control.place).topLeft());
    if (!(control.look & kAutoSize) || control.kind != ControlKind::Label)
      widget->resize(Pixels(control.place).size());
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->installEventFilter(router_);
    if (control.look & kHidden) widget->hide();
    if (control.kind != ControlKind::Label || !control.accessibleName.empty())
      widget->setAccessibleName(FromNarrow(AccessibleNameOf(control)));
    if (control.kind == ControlKind::CheckBox) KeepCaptionWhole(widget, control.look & kTickRight);
    ids_[widget] = static_cast<int>(widgets_.size());
    widgets_.push_back(widget);
  }
  const std::vector<int> tabOrder = TabOrder(layout_);
  // A window without a box to type in (the menu) takes the keys itself when shown.
  if (tabOrder.empty()) top_->setFocusPolicy(Qt::StrongFocus);
  for (std::size_t k = 1; k < tabOrder.size(); ++k)
    QWidget::setTabOrder(widgets_[tabOrder[k - 1]], widgets_[tabOrder[k]]);
}

QWidget* QtWindow::MakeControl(const ControlLayout& control, QWidget* parent) {
  const QColor white(Qt::white);
  switch (control.kind) {
    case ControlKind::Label: {
      auto* label = new LabelWidget(parent, control.look);
      label->SetBack(control.look & kWhiteBack ? white
                                               : ToQColor(kSystemWindow, parent->palette()));
      label->SetText(FromNarrow(control.text));
      label->blankName = FromNarrow(control.blankName);
      label->onPress = [router = router_, id = static_cast<int>(widgets_.size())] {
        if (router->owner) router->owner->RaiseClick(id);
      };
      return label;
    }
    case ControlKind::TextBox: {
      auto* edit = new QLineEdit(FromNarrow(control.text), parent);
      if (control.look & kBoldFont) edit->setFont(BoldInterfaceFont());
      // A hidden box holds what no one should read, screen readers included.
      if (control.look & (kMasked | kHidden)) edit->setEchoMode(QLineEdit::Password);
      edit->setReadOnly(control.look & kReadOnly);
      if (control.maxLength > 0) edit->setValidator(new CharacterLimit(control.maxLength, edit));
      return edit;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(FromNarrow(control.text), parent);
      if (control.look & kWhiteBack) Fill(box, white);
      if (control.look & kTickRight) box->setLayoutDirection(Qt::RightToLeft);
      const int id = static_cast<int>(widgets_.size());
      QObject::connect(box, &QCheckBox::stateChanged, router_, [router = router_, id] {
        if (router->owner) router->owner->RaiseClick(id);
      });
      return box;
    }
    case ControlKind::Frame: {
      auto* frame = new QGroupBox(FromNarrow(control.text), parent);
      if (control.look & kWhiteBack) Fill(frame, white);
      return frame;
    }
    case ControlKind::Picture:
    case ControlKind::PictureBox: {
      auto* picture = new QLabel(parent);
      picture->setPixmap(Asset(control.picture));
      if (control.kind == ControlKind::Picture) {
        picture->setScaledContents(true);
      } else {
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->adjustSize();
      }
      return picture;
    }
  }
  return new QWidget(parent);
}

std::optional<Key> KeyFor(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_Home:
      return Key::Home;
    case Qt::Key_End:
      return Key::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Return;
    case Qt::Key_Escape:
      return Key::Escape;
    default:
      return std::nullopt;
  }
}

bool QtWindow::Route(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Move && watched == top_) {
    KeepPlace();
    return false;
  }
  if (type == QEvent::MouseButtonPress) settling_ = false;  // what moves it now is the user
  if (type == QEvent::KeyPress && watched == top_ && !closed_) {
    if (auto key = KeyFor(static_cast<QKeyEvent*>(event)->key())) events_->OnKey(*key);
    return false;
  }
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
      type != QEvent::MouseButtonRelease)
    return false;
  auto found = ids_.find(watched);
  if (found == ids_.end() || closed_) return false;
  const int id = found->second;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseMove) {
    if (manualDrag_ && (mouse->buttons() & Qt::LeftButton)) {
      top_->move(mouse->globalPosition().toPoint() - dragOffset_);
      return true;
    }
    events_->OnMouse(MouseEvent::Move, id);
  } else if (type == QEvent::MouseButtonPress) {
    leftPressOn_.reset();
    if (mouse->button() == Qt::LeftButton) leftPressOn_ = id;
    dragOffset_ = mouse->globalPosition().toPoint() - top_->pos();
    events_->OnMouse(MouseEvent::Down, id);
  } else {
    manualDrag_ = false;
    const bool sameControl = leftPressOn_ == id && mouse->button() == Qt::LeftButton;
    leftPressOn_.reset();
    const bool clickable =
        id == kWindowItself || (layout_.controls[id].kind != ControlKind::TextBox &&
                                layout_.controls[id].kind != ControlKind::CheckBox);
    auto* widget = static_cast<QWidget*>(watched);
    if (sameControl && clickable && widget->rect().contains(mouse->position().toPoint()))
      events_->OnMouse(MouseEvent::Click, id);
  }
  return false;
}

void QtWindow::RaiseClick(int control) {
  if (!closed_ && events_) events_->OnMouse(MouseEvent::Click, control);
}

void QtWindow::RequestClose(UnloadMode mode) {
  if (!closed_ && events_) events_->OnCloseRequest(mode);
}

void QtWindow::FocusFirst() {
  const int first = FirstFocus(layout_, [this](int id) { return widgets_[id]->isEnabled(); });
  if (first >= 0)
    widgets_[first]->setFocus();
  else
    top_->setFocus();
}

void QtWindow::Show() {
  if (closed_) return;
  if (layout_.centred && !placed_) {
    placed_ = true;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    wanted_ = screen.center() - top_->rect().center();
    top_->move(wanted_);
  }
  settling_ = placed_;
  top_->show();
  top_->activateWindow();  // shown windows take the keyboard, as on Windows
  FocusFirst();
}

void QtWindow::Hide() {
  top_->hide();
}

void QtWindow::Close() {
  closed_ = true;
  top_->hide();
}

void QtWindow::MakeTopmost() {
  if (!topmost_) {
    topmost_ = true;
    top_->winId();  // the native window must exist to take the flag without being recreated
    QWindow* native = top_->windowHandle();
    native->setFlags(native->flags() | Qt::WindowStaysOnTopHint);
  }
  top_->raise();
  top_->activateWindow();
}

void QtWindow::MoveTo(float leftTwips, float topTwips) {
  placed_ = true;
  wanted_ = QPoint(TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
  top_->move(wanted_);
}

// Window managers that keep windows off their panels (xfwm4) move a window as it maps,
// but leave later moves alone: the place QV gave it is put back once, so the menu opens
// in its corner over the panel every time, as on Windows.
void QtWindow::KeepPlace() {
  if (!settling_ || !top_->isVisible()) return;
  settling_ = false;
  if (top_->pos() != wanted_) top_->move(wanted_);
}

void QtWindow::SetText(int control, const std::string& text) {
  QWidget* widget = widgets_.at(control);
  QString value = FromNarrow(text);
  if (auto* label = dynamic_cast<LabelWidget*>(widget)) {
    label->SetText(value.replace("\r\n", "\n"));
  } else if (auto* edit = dynamic_cast<QLineEdit*>(widget)) {
    const std::string kept = KeptText(layout_.controls[control], text);
    edit->setText(FromNarrow(kept));
    givenTexts_[control] = {edit->text(), kept};
  } else if (auto* box = dynamic_cast<QCheckBox*>(widget)) {
    box->setText(value);
  } else if (auto* frame = dynamic_cast<QGroupBox*>(widget)) {
    frame->setTitle(value);
  }
}

std::string QtWindow::Text(int control) const {
  QWidget* widget = widgets_.at(control);
  QString value;
  if (auto* label = dynamic_cast<LabelWidget*>(widget))
    value = label->Text();
  else if (auto* edit = dynamic_cast<QLineEdit*>(widget))
    return TextOfBox(control, edit->text());
  else if (auto* box = dynamic_cast<QCheckBox*>(widget))
    value = box->text();
  else if (auto* frame = dynamic_cast<QGroupBox*>(widget))
    value = frame->title();
  return value.toUtf8().toStdString();
}

// A box the user did not change gives back exactly the bytes it was given, even those
// that are not UTF-8 (a file name from an old disk), which Qt could only show as U+FFFD.
std::string QtWindow::TextOfBox(int control, const QString& shown) const {
  if (auto given = givenTexts_.find(control);
      given != givenTexts_.end() && given->second.shown == shown)
    return given->second.bytes;
  return shown.toUtf8().toStdString();
}

void QtWindow::SetBackColour(int control, Colour colour) {
  QWidget* widget = widgets_.at(control);
  if (auto* label = dynamic_cast<LabelWidget*>(widget)) {
    label->SetBack(ToQColor(colour, widget->palette()));
  } else {
    Fill(widget, ToQColor(colour, widget->palette()));
  }
}

void QtWindow::SetEnabled(int control, bool enabled) {
  widgets_.at(control)->setEnabled(enabled);
}

int QtWindow::Value(int control) const {
  auto* box = dynamic_cast<QCheckBox*>(widgets_.at(control));
  if (!box) return 0;
  switch (box->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void QtWindow::SetValue(int control, int value) {
  auto* box = dynamic_cast<QCheckBox*>(widgets_.at(control));
  if (!box) return;
  const Qt::CheckState state = value == 0   ? Qt::Unchecked
                               : value == 2 ? Qt::PartiallyChecked
                                            : Qt::Checked;
  box->setTristate(value == 2);
  box->setCheckState(state);  // stateChanged raises the Click handling
}

void QtWindow::DragWithMouse() {
  settling_ = false;
  QWindow* native = top_->windowHandle();
  if (native && native->startSystemMove()) return;
  manualDrag_ = true;  // no window manager to move it: follow the mouse ourselves
}

}  // namespace qv
