// Accessible interfaces for LabelWidget and TopWidget, served by a factory that Qt asks
// before its own (the widgets have no meta-object of their own, so it sees "QWidget").
#include "platform/qt/qt_accessible.h"

#include <QAccessibleWidget>

#include "platform/qt/qt_widgets.h"
#include "platform/window_layout.h"

namespace qv {
namespace {

bool InMenu(const QWidget* widget) {
  const auto* top = dynamic_cast<const TopWidget*>(widget->window());
  return top && top->isMenu;
}

QAccessible::Role RoleOf(const LabelWidget* label) {
  if (!(label->Look() & kClickable)) return QAccessible::StaticText;
  return InMenu(label) ? QAccessible::MenuItem : QAccessible::PushButton;
}

class LabelAccessible final : public QAccessibleWidget {
 public:
  explicit LabelAccessible(LabelWidget* label) : QAccessibleWidget(label) {}

  QAccessible::Role role() const override { return RoleOf(Label()); }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
      return Label()->Text().isEmpty() ? Label()->blankName : Label()->Text();
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override {
    if (!(Label()->Look() & kClickable)) return {};
    return {pressAction()};
  }
  void doAction(const QString& action) override {
    if (action == pressAction() && Label()->onPress && widget()->isEnabled()) Label()->onPress();
  }

 private:
  LabelWidget* Label() const { return static_cast<LabelWidget*>(widget()); }
};

// Interfaces are cached from their first query, which may come before the window is
// built: the role is asked of the widget each time.
class WindowAccessible final : public QAccessibleWidget {
 public:
  explicit WindowAccessible(TopWidget* top) : QAccessibleWidget(top) {}
  QAccessible::Role role() const override {
    return static_cast<TopWidget*>(widget())->isMenu ? QAccessible::PopupMenu : QAccessible::Dialog;
  }
};

QAccessibleInterface* Interfaces(const QString&, QObject* object) {
  if (auto* label = dynamic_cast<LabelWidget*>(object)) return new LabelAccessible(label);
  if (auto* top = dynamic_cast<TopWidget*>(object)) return new WindowAccessible(top);
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = (QAccessible::installFactory(Interfaces), true);
  (void)installed;
}

}  // namespace qv
