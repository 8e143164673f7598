// Painting of flat labels and the top-level window's close handling.
#include "platform/qt/qt_widgets.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QFile>
#include <QPainter>

#include "platform/window_layout.h"

namespace qv {

QString AssetPath(const std::string& asset) {
  return QString(":/assets/%1.png").arg(QString::fromStdString(asset));
}

QIcon AssetIcon(const std::string& asset) {
  QIcon icon(AssetPath(asset));
  for (int size : {16, 20, 22, 24, 32, 40, 48, 64}) {
    const QString sized = QString(":/assets/icons/%1-%2.png").arg(asset.c_str()).arg(size);
    if (QFile::exists(sized)) icon.addFile(sized, QSize(size, size));
  }
  return icon;
}

QFont BoldInterfaceFont() {
  QFont font;
  font.setFamilies({"Verdana", "DejaVu Sans"});
  font.setPixelSize(13);
  font.setBold(true);
  return font;
}

LabelWidget::LabelWidget(QWidget* parent, unsigned look) : QWidget(parent), look_(look) {
  if (look & (kClickable | kBoldFont)) setFont(BoldInterfaceFont());
  setAttribute(Qt::WA_OpaquePaintEvent, (look & kTransparent) == 0);
}

void LabelWidget::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  if (look_ & kAutoSize) resize(fontMetrics().boundingRect(QRect(), 0, text_).size());
  update();
  if (QAccessible::isActive()) {  // the name a screen reader announces is the text
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

void LabelWidget::SetBack(const QColor& colour) {
  if (colour == back_) return;
  back_ = colour;
  update();
}

void LabelWidget::paintEvent(QPaintEvent*) {
  ++paints_;
  QPainter painter(this);
  if (!(look_ & kTransparent)) painter.fillRect(rect(), back_);
  painter.setPen(palette().color(QPalette::Text));
  const int align = (look_ & (kClickable | kCentred)) ? Qt::AlignHCenter : Qt::AlignLeft;
  painter.drawText(rect(), align | Qt::AlignTop, text_);
}

void TopWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (onCloseRequest) onCloseRequest();
}

QValidator::State CharacterLimit::validate(QString& input, int& cursor) const {
  const QList<uint> characters = input.toUcs4();
  if (characters.size() > characters_) {
    input = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data()), characters_);
    cursor = std::min(cursor, static_cast<int>(input.size()));
  }
  return Acceptable;
}

}  // namespace qv
