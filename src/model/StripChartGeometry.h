#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Global_var.h"
#include "model/GraphRecording.h"
#include "model/PixelGeometry.h"

// Where the live log graph draws: the plot (601 x 409, a division every 60
// columns and every 40 rows around the middle line), the time axis strip
// below it and the value axis strip left of it. All coordinates are logical
// pixels relative to the surface they are drawn on; the window may draw at a
// higher device pixel ratio with the same geometry.

constexpr int kChartWidth = 601;
constexpr int kChartHeight = 409;
constexpr int kMiddleLineY = 204;
constexpr int kColumnsPerDivision = 60;
constexpr int kRowsPerDivision = 40;

// Time scales (ms per division) and value scales (device units per division).
struct TimeScaleEntry {
  const char* text;  // "200 ms" .. "10 sec", the ListBoxX items
  std::int32_t ms;
};
constexpr int kTimeScaleCount = 6;
constexpr int kValueScaleCount = 21;
const std::array<TimeScaleEntry, kTimeScaleCount>& TimeScales();
const std::array<std::int32_t, kValueScaleCount>& ValueScales();
std::string ValueScaleText(int index);  // the ListBoxY item: the number itself
// The scale at a list index; an index outside the list gives its first entry.
std::int32_t TimeScaleAt(int index);
std::int32_t ValueScaleAt(int index);
// The value scale index in force: the one `source` forces, else `selected`
// (or the first entry when that is outside the list).
int ValueScaleIndexFor(int source, int selected);
// ListBoxY is enabled only for sources that do not force a scale.
bool ValueScaleListEnabled(int source);

// The middle line (0, 204)-(601, 204), drawn over the frame (0, 0)-(601, 409).
PixelLine MiddleLine();

// The first sample shown: during a recording with auto scroll the last ten
// divisions at an assumed 80 ms per sample (LogCount - timeScale / 8, at
// least 0), otherwise the scroll bar position, kept inside 0 .. LogCount.
int FirstSampleShown(const GraphRecording& recording, bool autoScroll, bool recordingRunning,
                     std::int32_t timeScaleMs, int scrollPosition);
// ScrollBar2's maximum: LogCount, 0 before the first sample.
int ScrollMaximum(const GraphRecording& recording);
// T0: the time of the first sample shown.
std::int32_t FirstShownTime(const GraphRecording& recording, int first);

// One division of the time axis.
struct TimeDivision {
  int column = 0;           // in the plot
  std::string label;        // seconds with one decimal: "2,0"
  PixelLine tick;           // on the time strip: (column + 20, 0)-(column + 20, 10)
  PixelPoint labelAt;       // on the time strip: (column + 10, 10)
  bool gridLine = false;    // draw VerticalGridLine(column) when vertical grid lines are on
};
// The divisions for a plot starting at time t0 (0: from column 0, labelled
// 0, scale, ...; else the first whole multiple of the scale after t0).
std::vector<TimeDivision> TimeAxisDivisions(std::int32_t t0, std::int32_t timeScaleMs);
PixelLine VerticalGridLine(int column);  // dotted, (column, 1)-(column, 408)

// One division of the value axis, rows 0, 40, ..., 400 of the strip.
struct ValueDivision {
  int row = 0;
  std::int32_t value = 0;  // 5 steps at the top down to -5 steps at the bottom
  std::string label;       // whole number for analog sources and for 0, else decimals code 9
  PixelLine tick;          // (stripWidth - 10, row + 10)-(stripWidth, row + 10)
  int labelY = 0;          // row + 4; x from ValueLabelX
};
std::vector<ValueDivision> ValueAxisDivisions(int source, std::int32_t valueScale, int stripWidth,
                                              const std::array<std::int32_t, kParameterCount>& parameters);
// Right-aligned label: stripWidth - textWidth - 12, at least 0.
int ValueLabelX(int stripWidth, int textWidth);
// Where GraphSourceAt(source).unitCaption goes on the value strip: (10, stripHeight / 2 - 5).
PixelPoint UnitCaptionAt(int stripHeight);

// Dotted horizontal grid lines from x = 1 to 600, every 40 rows above and
// below the middle line, inside the plot.
std::vector<PixelLine> HorizontalGridLines();

// A sample's position in the plot. Huge values lie far outside it.
struct CurvePoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};
CurvePoint SamplePixel(std::int32_t time, std::int32_t value, std::int32_t t0, std::int32_t timeScaleMs,
                       std::int32_t valueScale);
// The curve from sample `first` on, up to and including the first point
// right of the plot. Empty while LogCount <= 0 or for a scale that is not
// positive.
std::vector<CurvePoint> CurvePoints(const GraphRecording& recording, int first, std::int32_t timeScaleMs,
                                    std::int32_t valueScale);
// The curve's segments cut to the plot rectangle, ready for the painter
// (coordinates far outside the plot are not handed to it).
std::vector<PixelLine> VisibleCurveSegments(const std::vector<CurvePoint>& points);
