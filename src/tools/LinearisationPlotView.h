#pragma once

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "model/LinearisationCurve.h"

class QPainter;

// The 700 x 520 linearisation plot (Image1): white with a black frame, and,
// once a plot has been computed, its dotted grid, the blue curve and the
// point markers, exactly at the pixels the model gives. A click on the plot
// reports its position; which marker it hits is the window's business.
class LinearisationPlotView : public QWidget {
  Q_OBJECT
public:
  explicit LinearisationPlotView(QWidget* parent = nullptr);

  // White with the frame only: no grid, no curve, no markers to hit.
  void Clear();
  void ShowPlot(const LinearisationPlot& plot);
  // The markers as drawn now; empty while the plot is cleared.
  std::vector<PixelPoint> Markers() const;
  // What the plot shows, one image pixel per plot pixel whatever the
  // screen's scale.
  QImage Image() const;

signals:
  void Clicked(int x, int y);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void Paint(QPainter& painter) const;

  std::optional<LinearisationPlot> plot_;
};
