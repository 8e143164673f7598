// Painting of flat labels and the top-level window's close handling.
#include "platform/qt/qt_widgets.h"

#include <QCloseEvent>
#include <QPainter>

#include "platform/window_layout.h"

namespace qv {

QString AssetPath(const std::string& asset) {
  return QString(":/assets/%1.png").arg(QString::fromStdString(asset));
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

}  // namespace qv
