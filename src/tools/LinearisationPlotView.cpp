#include "tools/LinearisationPlotView.h"

#include <QMouseEvent>
#include <QPainter>

#include "tools/PixelPainting.h"

LinearisationPlotView::LinearisationPlotView(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setFixedSize(kLinPlotWidth, kLinPlotHeight);
  setCursor(Qt::CrossCursor);
}

void LinearisationPlotView::Clear() {
  plot_.reset();
  update();
}

void LinearisationPlotView::ShowPlot(const LinearisationPlot& plot) {
  plot_ = plot;
  update();
}

std::vector<PixelPoint> LinearisationPlotView::Markers() const { return plot_ ? plot_->markers : std::vector<PixelPoint>{}; }

QImage LinearisationPlotView::Image() const {
  QImage image(kLinPlotWidth, kLinPlotHeight, QImage::Format_RGB32);
  QPainter painter(&image);
  Paint(painter);
  return image;
}

void LinearisationPlotView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void LinearisationPlotView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Clicked(event->position().toPoint().x(), event->position().toPoint().y());
  QWidget::mouseReleaseEvent(event);
}

void LinearisationPlotView::Paint(QPainter& painter) const {
  painter.fillRect(ToQRect(kLinPlotFrame), ToQColor(kMarkerOutlineColour));
  painter.fillRect(ToQRect(kLinPlotInterior), Qt::white);
  if (!plot_) return;

  painter.setPen(QPen(ToQColor(kGridColour), 1, Qt::DotLine));
  for (const PixelLine& line : plot_->gridLines) DrawLine(painter, line);

  const QColor curve = ToQColor(kCurveColour);
  painter.setPen(QPen(curve, 1));
  for (const PixelLine& line : plot_->curve) DrawLine(painter, line);

  // Markers over the lines, the selected one last so that it stays red
  // where markers overlap.
  const int r = plot_->dotRadius;
  const auto drawMarker = [&](PixelPoint centre, const QColor& fill) {
    painter.setPen(QPen(ToQColor(kMarkerOutlineColour), 1));
    painter.setBrush(fill);
    painter.drawEllipse(ToQPoint(centre), r, r);
  };
  for (const PixelPoint& marker : plot_->markers) drawMarker(marker, curve);
  if (plot_->selectedPoint >= 1 && static_cast<std::size_t>(plot_->selectedPoint) <= plot_->markers.size())
    drawMarker(plot_->markers[static_cast<std::size_t>(plot_->selectedPoint - 1)], ToQColor(kSelectedMarkerColour));
}
