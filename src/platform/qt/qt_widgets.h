// The widgets the Qt backend builds windows from: a label that paints its own flat
// background (so a colour change repaints that label alone, with no style re-polish),
// and the top-level window, which turns a close request into the form's closing handler.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QValidator>
#include <QWidget>
#include <functional>
#include <string>

namespace qv {

class LabelWidget final : public QWidget {
 public:
  LabelWidget(QWidget* parent, unsigned look);
  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  // Repaints only when the colour really changes.
  void SetBack(const QColor& colour);
  const QColor& Back() const { return back_; }
  int Paints() const { return paints_; }
  unsigned Look() const { return look_; }
  // What a screen reader's press action does: the label's click.
  std::function<void()> onPress;
  QString blankName;  // what a screen reader announces while the label shows no text

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QColor back_;
  const unsigned look_;
  int paints_ = 0;
};

class TopWidget final : public QWidget {
 public:
  explicit TopWidget(Qt::WindowFlags flags) : QWidget(nullptr, flags) {}
  // Called instead of closing; the form decides.
  std::function<void()> onCloseRequest;
  bool isMenu = false;  // presented to screen readers as a menu of items

 protected:
  void closeEvent(QCloseEvent* event) override;
};

// The compiled-in picture of an asset ("qv", "strip_menu", ...).
QString AssetPath(const std::string& asset);
// An icon asset at every size it was drawn for, so trays and menus of any size and scale
// show a sharp one.
QIcon AssetIcon(const std::string& asset);

// Keeps a box to so many characters as the user sees them (code points: an emoji is one,
// where QLineEdit's own limit counts it as two and can cut it in half).
class CharacterLimit final : public QValidator {
 public:
  CharacterLimit(int characters, QObject* parent) : QValidator(parent), characters_(characters) {}
  State validate(QString& input, int& cursor) const override;

 private:
  const int characters_;
};

// Verdana 9.75 pt bold (13 px), or DejaVu Sans Bold where Verdana is not installed.
QFont BoldInterfaceFont();

}  // namespace qv
