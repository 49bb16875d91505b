#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "model/Global_var.h"
#include "model/GraphRecording.h"

class QPainter;

// What the strip chart shows. The window fills it in; the painting below
// only draws it.
struct StripChartScene {
  const GraphRecording* recording = nullptr;  // none: frame, middle line and axes only
  int source = 0;                             // ComboBoxBron position: axis labels and unit caption
  std::int32_t timeScaleMs = 200;             // per division of 60 columns
  std::int32_t valueScale = 100;              // per division of 40 rows
  int firstSample = 0;                        // the sample at column 0
  bool verticalGridLines = false;
  bool horizontalGridLines = false;
  const std::array<std::int32_t, kParameterCount>* parameters = nullptr;  // decimals of positions; none: 0
};

// Painting in logical pixels, origin at the top left of each surface: the
// plot (kChartWidth x kChartHeight), the time strip below it and the value
// strip left of it. The painter's device may have any pixel ratio.
void PaintPlot(QPainter& painter, const StripChartScene& scene);
void PaintTimeStrip(QPainter& painter, const StripChartScene& scene);
void PaintValueStrip(QPainter& painter, const StripChartScene& scene, int stripWidth, int stripHeight);

// The plot and its two axis strips at their fixed places. The time strip
// starts 20 columns left of the plot and the value strip 6 rows above it,
// so that their ticks (at column c + 20 and row r + 10 of the strip) fall on
// the plot's division lines and the first labels have room.
class StripChartView : public QWidget {
  Q_OBJECT
public:
  static constexpr int kValueStripWidth = 90;
  static constexpr int kValueStripHeight = 421;   // the plot and 6 rows above and below it
  static constexpr int kTimeStripOverhang = 20;   // columns left of the plot, and right of it
  static constexpr int kTimeStripHeight = 26;
  static constexpr int kValueStripAbove = 6;      // rows of the value strip above the plot

  explicit StripChartView(QWidget* parent = nullptr);

  // Shows `scene` (repainted at the next paint event).
  void SetScene(const StripChartScene& scene);
  const StripChartScene& Scene() const { return scene_; }

  QWidget* Image1 = nullptr;  // the plot
  QWidget* ImageX = nullptr;  // time axis strip
  QWidget* ImageY = nullptr;  // value axis strip

private:
  StripChartScene scene_;
};
