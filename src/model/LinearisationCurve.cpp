#include "model/LinearisationCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/Functies.h"
#include "model/ParameterNumbers.h"

namespace {

using ParameterValues = std::array<std::int32_t, kParameterCount>;

constexpr int kCurveLeft = 10;     // x of XFirst
constexpr int kCurveWidth = 680;   // XFirst .. XLast
constexpr int kCurveTop = 10;      // y of YMax
constexpr int kCurveBottom = 510;  // y of YMin
constexpr int kCurveHeight = kCurveBottom - kCurveTop;  // YMin .. YMax
constexpr int kGridCount = 11;
constexpr int kGridStepX = 68;
constexpr int kGridStepY = 50;

std::int32_t Parameter(const ParameterValues& parameters, int number) {
  return parameters[static_cast<std::size_t>(number)];
}

int PlotX(const LinearisationCurve& curve, std::int32_t x) {
  const std::int64_t extent = std::int64_t{curve.XLast} - curve.XFirst;
  if (extent <= 0) return kCurveWidth;
  return RoundToPixel(Scaled(kCurveWidth, std::int64_t{x} - curve.XFirst, extent) + kCurveLeft);
}

int PlotY(const LinearisationCurve& curve, std::int32_t y) {
  const std::int64_t extent = std::int64_t{curve.YMax} - curve.YMin;
  if (extent <= 0) return kCurveBottom;
  return RoundToPixel(kCurveBottom - Scaled(kCurveHeight, std::int64_t{y} - curve.YMin, extent));
}

std::vector<PixelLine> GridLines(bool vertical, bool horizontal) {
  std::vector<PixelLine> lines;
  for (int i = 0; vertical && i < kGridCount; ++i) {
    const int x = kCurveLeft + i * kGridStepX;
    lines.push_back({{x, 0}, {x, kLinPlotHeight - 1}});
  }
  for (int i = 0; horizontal && i < kGridCount; ++i) {
    const int y = kCurveTop + i * kGridStepY;
    lines.push_back({{0, y}, {kLinPlotWidth - 1, y}});
  }
  return lines;
}

// The curve runs flat from the left edge to point 1, through every point,
// and flat from the last point to the right edge.
std::vector<PixelLine> CurveLines(const std::vector<PixelPoint>& markers) {
  std::vector<PixelLine> lines;
  if (markers.empty()) return lines;
  lines.push_back({{0, markers.front().y}, markers.front()});
  for (std::size_t i = 1; i < markers.size(); ++i) lines.push_back({markers[i - 1], markers[i]});
  lines.push_back({markers.back(), {kLinPlotWidth, markers.back().y}});
  return lines;
}

std::int32_t Midpoint(std::int32_t low, std::int32_t high) {
  // Lies between low and high, so it fits 32 bits again.
  return static_cast<std::int32_t>(low + (std::int64_t{high} - low) / 2);
}

}  // namespace

LinearisationCurve ReadLinearisationCurve(const ParameterValues& parameters) {
  LinearisationCurve curve;
  curve.storedCount = Parameter(parameters, ParameterNumber::LinearisationPointCount);
  const int count = std::clamp(curve.storedCount, 0, ParameterNumber::kLinearisationPoints);
  curve.countOutOfRange = count != curve.storedCount;
  for (int k = 1; k <= count; ++k)
    curve.points.push_back({Parameter(parameters, ParameterNumber::LinearisationX(k)),
                            Parameter(parameters, ParameterNumber::LinearisationY(k))});

  curve.XFirst = Parameter(parameters, ParameterNumber::LinearisationX(1));
  curve.XLast = Parameter(parameters, ParameterNumber::LinearisationX(std::max(count, 1)));
  if (!curve.points.empty()) {
    // Taken from the points themselves, so that values beyond the start
    // values still give their true extents.
    const auto [low, high] = std::minmax_element(curve.points.begin(), curve.points.end(),
                                                 [](const auto& a, const auto& b) { return a.Y < b.Y; });
    curve.YMin = low->Y;
    curve.YMax = high->Y;
  }
  return curve;
}

int RoundToPixel(double value) {
  return static_cast<int>(std::lround(std::clamp(value, double{-kFarOutside}, double{kFarOutside})));
}

double Scaled(int span, std::int64_t offset, std::int64_t extent) {
  // span * offset stays below 2^53, so only the division rounds.
  return static_cast<double>(span * offset) / static_cast<double>(extent);
}

LinearisationAxes ComputeLinearisationAxes(const LinearisationCurve& curve, const ParameterValues& parameters) {
  LinearisationAxes axes;
  axes.xTicks = {10, 350, 690};
  axes.yTicks = {10, 260, 510};
  if (curve.Count() > 1) {
    const auto xText = [&](std::int32_t v) { return FormatFixed(kDecimalsOfPositions, v, parameters); };
    const auto yText = [&](std::int32_t v) { return FormatFixed(kDecimalsOfLinearisation, v, parameters); };
    axes.xLabels = {{10, xText(curve.XFirst)}, {350, xText(Midpoint(curve.XFirst, curve.XLast))},
                    {690, xText(curve.XLast)}};
    axes.yLabels = {{4, yText(curve.YMax)}, {254, yText(Midpoint(curve.YMin, curve.YMax))}, {504, yText(curve.YMin)}};
  }
  return axes;
}

LinearisationPlot ComputeLinearisationPlot(const LinearisationCurve& curve, int selectedPoint, int dotRadius,
                                           bool verticalGrid, bool horizontalGrid) {
  LinearisationPlot plot;
  plot.gridLines = GridLines(verticalGrid, horizontalGrid);
  for (const LinearisationPoint& point : curve.points)
    plot.markers.push_back({PlotX(curve, point.X), PlotY(curve, point.Y)});
  plot.curve = CurveLines(plot.markers);
  plot.dotRadius = std::clamp(dotRadius, 0, kMaxDotRadius);
  plot.selectedPoint = selectedPoint >= 1 && selectedPoint <= curve.Count() ? selectedPoint : 0;
  return plot;
}

std::optional<int> PointAtMouse(const std::vector<PixelPoint>& markers, PixelPoint mouse) {
  for (std::size_t i = 0; i < markers.size(); ++i)
    if (std::abs(markers[i].x - mouse.x) <= kHitDistance && std::abs(markers[i].y - mouse.y) <= kHitDistance)
      return static_cast<int>(i) + 1;
  return std::nullopt;
}

int PointSelectionOnActivation(int current, int pointCount) {
  return current < 1 || current > pointCount ? 1 : current;
}

PointValueTexts SelectedPointTexts(const ParameterValues& parameters, int point) {
  if (point < 1 || point > ParameterNumber::kLinearisationPoints) return {};
  return {FormatFixed(kDecimalsOfPositions, Parameter(parameters, ParameterNumber::LinearisationX(point)), parameters),
          FormatFixed(kDecimalsOfLinearisation, Parameter(parameters, ParameterNumber::LinearisationY(point)),
                      parameters)};
}

LinearisationRepaint RepaintAfter(LinearisationEvent event, const LinearisationCurve& curve) {
  const bool severalPoints = curve.Count() > 1;
  switch (event) {
    case LinearisationEvent::Activated: {
      const bool spread = curve.XLast != curve.XFirst;
      return {.pointPanels = spread, .axes = true, .modeDiagram = spread, .plot = spread};
    }
    case LinearisationEvent::PointSelected:
      return {.pointPanels = true, .axes = severalPoints, .modeDiagram = false, .plot = severalPoints};
    case LinearisationEvent::DotRadiusChanged:
      return {.pointPanels = false, .axes = severalPoints, .modeDiagram = severalPoints, .plot = severalPoints};
    case LinearisationEvent::GridSwitched:
      return {.pointPanels = false, .axes = false, .modeDiagram = false, .plot = severalPoints};
    case LinearisationEvent::ServiceEditClosed:
      return {.pointPanels = true, .axes = true, .modeDiagram = true, .plot = true};
  }
  return {};
}
