#include "ui/ElidedLabel.h"

#include <QEvent>
#include <QPainter>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setWordWrap(false);
}

QSize ElidedLabel::minimumSizeHint() const { return {0, fontMetrics().height() + 2 * frameWidth() + 2}; }

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(text()) + 2 * frameWidth() + 4, minimumSizeHint().height()};
}

void ElidedLabel::setText(const QString& text) {
  QLabel::setText(text);
  UpdateToolTip();
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
  // The frame as any label's (the background is filled by the widget);
  // then the text, cut to fit.
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(2, 0, -2, 0);
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(area, static_cast<int>(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  UpdateToolTip();
}

void ElidedLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateToolTip();
}

void ElidedLabel::UpdateToolTip() {
  const int room = contentsRect().width() - 4;
  setToolTip(fontMetrics().horizontalAdvance(text()) > room ? text() : QString());
}
