#include "tools/LinearisationAxisStrip.h"

#include <QPainter>

namespace {

// Wide enough for the longest label a 32-bit value with decimals gives.
constexpr const char* kWidestLabel = "-2147483,648";
constexpr int kTextMargin = 4;

}  // namespace

LinearisationAxisStrip::LinearisationAxisStrip(Axis axis, QWidget* parent) : QWidget(parent), axis_(axis) {
  setObjectName(axis == Axis::X ? "ImageX" : "ImageY");
  const int widest = fontMetrics().horizontalAdvance(kWidestLabel);
  if (axis == Axis::X)
    setFixedSize(kLinPlotWidth + widest, kXLabelTop + fontMetrics().height() + kTextMargin);
  else
    setFixedSize(widest + kYLabelRightInset + kTextMargin, kLinPlotHeight);
}

void LinearisationAxisStrip::Clear() {
  axes_.reset();
  update();
}

void LinearisationAxisStrip::ShowAxes(const LinearisationAxes& axes) {
  axes_ = axes;
  update();
}

std::vector<AxisLabel> LinearisationAxisStrip::Labels() const {
  if (!axes_) return {};
  return axis_ == Axis::X ? axes_->xLabels : axes_->yLabels;
}

QImage LinearisationAxisStrip::Image() const {
  QImage image(size(), QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setFont(font());
  Paint(painter);
  return image;
}

void LinearisationAxisStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void LinearisationAxisStrip::Paint(QPainter& painter) const {
  painter.fillRect(rect(), palette().color(QPalette::Button));
  if (!axes_) return;
  painter.setPen(QPen(palette().color(QPalette::ButtonText), 1));
  const int lineHeight = fontMetrics().height();
  if (axis_ == Axis::X) {
    for (int x : axes_->xTicks) painter.drawLine(x, 0, x, kTickLength - 1);
    for (const AxisLabel& label : axes_->xLabels)
      painter.drawText(QRect(label.position, kXLabelTop, width() - label.position, lineHeight),
                       Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(label.text));
  } else {
    for (int y : axes_->yTicks) painter.drawLine(width() - kTickLength, y, width() - 1, y);
    for (const AxisLabel& label : axes_->yLabels)
      painter.drawText(QRect(0, label.position, width() - kYLabelRightInset, lineHeight),
                       Qt::AlignRight | Qt::AlignTop, QString::fromStdString(label.text));
  }
}
