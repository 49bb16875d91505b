#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "model/LinearisationCurve.h"

class QPainter;

// One axis strip of the linearisation plot, in the button-face colour:
// ImageX below the plot (ticks hanging from its top edge, labels below
// them) or ImageY left of it (ticks along its right edge, labels
// right-aligned before them). Both share the plot's origin along their axis;
// the X strip runs on past the plot's right edge so that the last label,
// which starts at x = 690, fits.
class LinearisationAxisStrip : public QWidget {
  Q_OBJECT
public:
  enum class Axis { X, Y };
  LinearisationAxisStrip(Axis axis, QWidget* parent = nullptr);

  // The empty strip: no ticks, no labels.
  void Clear();
  void ShowAxes(const LinearisationAxes& axes);
  // The labels shown now (none while cleared).
  std::vector<AxisLabel> Labels() const;
  // What the strip shows, one image pixel per strip pixel.
  QImage Image() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void Paint(QPainter& painter) const;

  Axis axis_;
  std::optional<LinearisationAxes> axes_;
};
