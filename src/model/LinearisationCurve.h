#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Global_var.h"
#include "model/PixelGeometry.h"

// The linearisation table as the linearisation window plots it: points from
// the parameter table, their extents, the pixel geometry of the 700 x 520
// plot and of its two axis strips, the hit test of a mouse click, and which
// parts each event repaints. The window paints exactly what these return.

constexpr int kLinPlotWidth = 700;
constexpr int kLinPlotHeight = 520;
constexpr PixelRect kLinPlotFrame{0, 0, kLinPlotWidth, kLinPlotHeight};          // black
constexpr PixelRect kLinPlotInterior{1, 1, kLinPlotWidth - 1, kLinPlotHeight - 1};  // white

constexpr RgbColour kCurveColour{0, 0, 255};             // lines and markers
constexpr RgbColour kSelectedMarkerColour{255, 0, 0};    // fill of the selected point's marker
constexpr RgbColour kMarkerOutlineColour{0, 0, 0};
constexpr RgbColour kGridColour{0, 0, 0};                // dotted

// Extents when there are no points.
constexpr std::int32_t kNoPointsYMin = 999999999;
constexpr std::int32_t kNoPointsYMax = -999999999;

struct LinearisationPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

struct LinearisationCurve {
  std::vector<LinearisationPoint> points;  // point k at index k - 1; 0 .. 30 points
  std::int32_t storedCount = 0;            // the point count as stored in the parameters
  bool countOutOfRange = false;            // storedCount is below 0 or above 30; points holds it clamped
  // X of point 1 and of the last point (the X values are taken as
  // ascending), smallest and largest Y. Without points XLast is X of point 1
  // and the Y extents keep kNoPointsYMin / kNoPointsYMax.
  std::int32_t XFirst = 0;
  std::int32_t XLast = 0;
  std::int32_t YMin = kNoPointsYMin;
  std::int32_t YMax = kNoPointsYMax;

  int Count() const { return static_cast<int>(points.size()); }
};

LinearisationCurve ReadLinearisationCurve(const std::array<std::int32_t, kParameterCount>& parameters);

// A value rounded to the nearest pixel, halves away from zero (10.5 -> 11,
// -10.5 -> -11). Kept within +-kFarOutside, so that a point far off the
// image (X values not ascending) still gives coordinates a painter clips.
constexpr int kFarOutside = 32767;
int RoundToPixel(double value);
// span * offset / extent in floating point, for offsets and extents that are
// differences of 32-bit values and a span of pixels: only the division rounds,
// so exact halves stay halves.
double Scaled(int span, std::int64_t offset, std::int64_t extent);

// ---- Axis strips: X below the plot, Y left of it, same origins.

constexpr int kTickLength = 10;
constexpr int kXLabelTop = 10;
constexpr int kYLabelRightInset = 12;

struct AxisLabel {
  int position = 0;  // X strip: left edge of the text; Y strip: top of the text
  std::string text;
};

struct LinearisationAxes {
  std::vector<int> xTicks;         // x of a tick on the X strip, from y 0 to kTickLength
  std::vector<int> yTicks;         // y of a tick on the Y strip, over its last kTickLength pixels of width
  std::vector<AxisLabel> xLabels;  // top at kXLabelTop; only with more than one point
  std::vector<AxisLabel> yLabels;  // right-aligned kYLabelRightInset pixels before the strip's right edge
};

// Labels: X at 10, 350, 690 with XFirst, the midpoint (truncated toward
// zero) and XLast, with the decimals of positions; Y at 4, 254, 504 with
// YMax, the midpoint and YMin, with the decimals of linearised values.
LinearisationAxes ComputeLinearisationAxes(const LinearisationCurve& curve,
                                           const std::array<std::int32_t, kParameterCount>& parameters);

// ---- The plot.

constexpr int kMaxDotRadius = 10;

struct LinearisationPlot {
  std::vector<PixelLine> gridLines;  // dotted; vertical ones first
  std::vector<PixelLine> curve;      // from the left edge through every point to the right edge
  std::vector<PixelPoint> markers;   // centre of the marker of point k at index k - 1
  int dotRadius = 0;                 // marker circles: filled with kCurveColour, outlined black
  int selectedPoint = 0;             // its marker is drawn again on top, filled red; 0: none
};

// Point i at x = 680 (X_i - XFirst) / (XLast - XFirst) + 10 (680 when the X
// extent is not positive) and y = 510 - 500 (Y_i - YMin) / (YMax - YMin)
// (510 when the Y extent is not positive). Vertical grid lines at x = 10,
// 78, .., 690 from y 0 to 519, horizontal ones at y = 10, 60, .., 510 from
// x 0 to 699. The dot radius is kept within 0 .. kMaxDotRadius; a selected
// point outside 1 .. N marks nothing.
LinearisationPlot ComputeLinearisationPlot(const LinearisationCurve& curve, int selectedPoint, int dotRadius,
                                           bool verticalGrid, bool horizontalGrid);

// The point (1 .. N) whose marker is the first within kHitDistance pixels of
// the mouse both horizontally and vertically, or none. Pass the markers of
// the plot as it is shown (none once activation has cleared it).
constexpr int kHitDistance = 5;
std::optional<int> PointAtMouse(const std::vector<PixelPoint>& markers, PixelPoint mouse);

// ---- Point selection and its panels.

// The point selector's value on activation: 1 when it is below 1 or above
// the point count.
int PointSelectionOnActivation(int current, int pointCount);

struct PointValueTexts {
  std::string X;  // Panel_PX, decimals of positions
  std::string Y;  // Panel_PY, decimals of linearised values
};
// Empty texts for a point outside 1 .. 30.
PointValueTexts SelectedPointTexts(const std::array<std::int32_t, kParameterCount>& parameters, int point);

// ---- What each event repaints.

enum class LinearisationEvent {
  // The window becomes active. Beyond what this returns, activation always
  // clears the plot (white, black frame) and both axis strips, and draws or
  // hides the mode diagram's frames.
  Activated,
  PointSelected,  // by the point selector or by a click on a marker
  DotRadiusChanged,
  GridSwitched,
  ServiceEditClosed,  // X or Y of the selected point edited in the service window
};

struct LinearisationRepaint {
  bool pointPanels = false;  // the selected point's X and Y (after a service edit: the edited one)
  bool axes = false;         // ticks, and labels when there is more than one point
  bool modeDiagram = false;  // the mode diagram's curve (only drawn for modes 1 and 2)
  bool plot = false;
  bool operator==(const LinearisationRepaint&) const = default;
};

LinearisationRepaint RepaintAfter(LinearisationEvent event, const LinearisationCurve& curve);
