#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "model/LinearisationModeDiagram.h"

class QLabel;
class QPainter;

// The 201 x 201 four-quadrant diagram of the linearisation mode (Image6).
// Its quadrant labels (LabelQ1 top right .. LabelQ4 bottom right, counter
// clockwise), the axis lines Lijn_X and Lijn_Y crossing at its centre and
// the axis letters LabelXasSub and LabelYasSub are child widgets over the
// painted image, so they stay visible when the curve is drawn.
class ModeDiagramView : public QWidget {
  Q_OBJECT
public:
  explicit ModeDiagramView(QWidget* parent = nullptr);

  // White with the four quadrant frames and the child controls, or nothing
  // at all; either way without a curve.
  void ShowFrames(bool shown);
  // The curve of a computed diagram over the frames (nothing for a mode
  // without one).
  void ShowDiagram(const ModeDiagram& diagram);
  bool FramesShown() const { return framesShown_; }
  // What the image shows, without the child controls, one image pixel per
  // diagram pixel.
  QImage Image() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void BuildChildren();
  void Paint(QPainter& painter) const;

  bool framesShown_ = false;
  std::optional<ModeDiagram> diagram_;
  std::vector<QWidget*> children_;
};
