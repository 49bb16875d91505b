#include "model/LinearisationCurve.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "model/ParameterNumbers.h"

// Readable failure messages for pixel geometry.
static void PrintTo(const PixelPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

namespace {

using Table = std::array<std::int32_t, kParameterCount>;
using ParameterNumber::LinearisationX;
using ParameterNumber::LinearisationY;
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

Table WithPoints(std::vector<LinearisationPoint> points) {
  Table p{};
  p[ParameterNumber::LinearisationPointCount] = static_cast<std::int32_t>(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    p[LinearisationX(static_cast<int>(i) + 1)] = points[i].X;
    p[LinearisationY(static_cast<int>(i) + 1)] = points[i].Y;
  }
  return p;
}

LinearisationCurve Curve(std::vector<LinearisationPoint> points) { return ReadLinearisationCurve(WithPoints(points)); }

TEST(LinearisationCurve, PointCountIsClampedAndReported) {
  struct Row { std::int32_t stored; int count; bool outOfRange; };
  for (const Row& row : {Row{-1, 0, true}, Row{0, 0, false}, Row{30, 30, false}, Row{31, 30, true}}) {
    SCOPED_TRACE(row.stored);
    Table p{};
    p[ParameterNumber::LinearisationPointCount] = row.stored;
    const LinearisationCurve curve = ReadLinearisationCurve(p);
    EXPECT_EQ(curve.Count(), row.count);
    EXPECT_EQ(curve.countOutOfRange, row.outOfRange);
  }
}

TEST(LinearisationCurve, ExtentsComeFromThePoints) {
  const LinearisationCurve curve = Curve({{5, 40}, {7, -3}, {9, 12}});
  EXPECT_EQ(std::vector({curve.XFirst, curve.XLast, curve.YMin, curve.YMax}), std::vector({5, 9, -3, 40}));
  // Beyond the start values the extents are still the points' own.
  EXPECT_EQ(Curve({{0, 1500000000}, {1, 1500000000}}).YMin, 1500000000);

  Table none = WithPoints({});
  none[LinearisationX(1)] = 4;
  none[LinearisationX(0)] = 99;  // the parameter before the table is no point
  const LinearisationCurve empty = ReadLinearisationCurve(none);
  EXPECT_EQ(std::vector({empty.XLast, empty.YMin, empty.YMax}), std::vector({4, kNoPointsYMin, kNoPointsYMax}));
}

TEST(LinearisationPlot, PointsToPixels) {
  struct Row { const char* name; std::vector<LinearisationPoint> points; std::vector<PixelPoint> markers; };
  const Row rows[] = {
      {"corners and centre", {{0, 0}, {100, 50}, {200, 100}}, {{10, 510}, {350, 260}, {690, 10}}},
      {"halves round away from zero", {{0, 0}, {1, 1}, {1360, 1000}}, {{10, 510}, {11, 510}, {690, 10}}},
      {"all Y equal", {{0, 7}, {10, 7}}, {{10, 510}, {690, 510}}},
      {"all X equal", {{3, 0}, {3, 10}}, {{680, 510}, {680, 10}}},
      {"full 32-bit range", {{kMin32, kMin32}, {0, 0}, {kMax32, kMax32}}, {{10, 510}, {350, 260}, {690, 10}}},
      {"X not ascending", {{0, 0}, {-2000000000, 0}, {1, 0}}, {{10, 510}, {-kFarOutside, 510}, {690, 510}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ComputeLinearisationPlot(Curve(row.points), 0, 3, false, false).markers, row.markers);
  }
}

TEST(LinearisationPlot, CurveGridMarkerAndRadius) {
  const LinearisationPlot plot = ComputeLinearisationPlot(Curve({{0, 0}, {100, 50}, {200, 100}}), 2, 4, true, true);
  EXPECT_EQ(plot.curve, (std::vector<PixelLine>{{{0, 510}, {10, 510}}, {{10, 510}, {350, 260}},
                                                {{350, 260}, {690, 10}}, {{690, 10}, {700, 10}}}));
  ASSERT_EQ(plot.gridLines.size(), 22u);
  EXPECT_EQ(plot.gridLines[1], (PixelLine{{78, 0}, {78, 519}}));
  EXPECT_EQ(plot.gridLines[10], (PixelLine{{690, 0}, {690, 519}}));
  EXPECT_EQ(plot.gridLines[21], (PixelLine{{0, 510}, {699, 510}}));
  EXPECT_EQ(ComputeLinearisationPlot(Curve({}), 1, 3, false, true).gridLines.front(), plot.gridLines[11]);
  EXPECT_EQ(plot.selectedPoint, 2);

  const LinearisationPlot empty = ComputeLinearisationPlot(Curve({}), 1, 99, false, false);
  EXPECT_TRUE(empty.curve.empty() && empty.gridLines.empty());
  EXPECT_EQ(empty.selectedPoint, 0);  // no point 1 to mark
  EXPECT_EQ(empty.dotRadius, kMaxDotRadius);
}

TEST(LinearisationAxes, LabelsOnlyWithSeveralPointsMidpointsTruncatedTowardZero) {
  Table p = WithPoints({{0, 100}, {-3, -7}});
  p[ParameterNumber::DecimalsOfPositions] = 1;
  p[ParameterNumber::DecimalsOfLinearisation] = 2;
  const auto texts = [](const std::vector<AxisLabel>& labels) {
    std::string all;
    for (const AxisLabel& label : labels) all += std::to_string(label.position) + ":" + label.text + " ";
    return all;
  };
  const LinearisationAxes axes = ComputeLinearisationAxes(ReadLinearisationCurve(p), p);
  EXPECT_EQ(texts(axes.xLabels), "10:0,0 350:-0,1 690:-0,3 ");
  EXPECT_EQ(texts(axes.yLabels), "4:1,00 254:0,46 504:-0,07 ");

  const Table wide = WithPoints({{kMin32, kMin32}, {kMax32, kMax32}});
  EXPECT_EQ(ComputeLinearisationAxes(ReadLinearisationCurve(wide), wide).xLabels[1].text, "-1");

  const Table single = WithPoints({{5, 5}});
  const LinearisationAxes ticksOnly = ComputeLinearisationAxes(ReadLinearisationCurve(single), single);
  EXPECT_EQ(ticksOnly.xTicks, (std::vector<int>{10, 350, 690}));
  EXPECT_EQ(ticksOnly.yTicks, (std::vector<int>{10, 260, 510}));
  EXPECT_TRUE(ticksOnly.xLabels.empty() && ticksOnly.yLabels.empty());
}

TEST(LinearisationHitTest, FirstMarkerWithinFivePixelsBothWays) {
  const std::vector<PixelPoint> markers{{100, 100}, {103, 102}, {300, 50}};
  struct Row { PixelPoint mouse; std::optional<int> point; };
  for (const Row& row : {Row{{100, 100}, 1}, Row{{105, 95}, 1}, Row{{106, 100}, 2}, Row{{109, 100}, std::nullopt},
                         Row{{300, 56}, std::nullopt}, Row{{295, 45}, 3}}) {
    SCOPED_TRACE(testing::Message() << row.mouse.x << "," << row.mouse.y);
    EXPECT_EQ(PointAtMouse(markers, row.mouse), row.point);
  }
}

TEST(LinearisationSelection, ActivationKeepsAValidPointAndPanelsShowItsValues) {
  EXPECT_EQ(PointSelectionOnActivation(3, 5), 3);
  EXPECT_EQ(PointSelectionOnActivation(6, 5), 1);
  EXPECT_EQ(PointSelectionOnActivation(0, 5), 1);

  Table p = WithPoints({{1234, -5}});
  p[ParameterNumber::DecimalsOfPositions] = 2;
  p[ParameterNumber::DecimalsOfLinearisation] = 3;
  EXPECT_EQ(SelectedPointTexts(p, 1).X + " " + SelectedPointTexts(p, 1).Y, "12,34 -0,005");
  EXPECT_EQ(SelectedPointTexts(p, 31).X, "");
}

TEST(LinearisationRepaint, EachEventRepaintsWhatItShould) {
  const LinearisationCurve single = Curve({{5, 5}});
  const LinearisationCurve sameX = Curve({{5, 5}, {5, 9}});
  const LinearisationCurve spread = Curve({{5, 5}, {8, 9}});
  using E = LinearisationEvent;
  struct Row { const char* name; E event; const LinearisationCurve& curve; LinearisationRepaint expected; };
  const Row rows[] = {
      {"activation, one point: ticks only", E::Activated, single, {false, true, false, false}},
      {"activation, all X equal", E::Activated, sameX, {false, true, false, false}},
      {"activation, spread", E::Activated, spread, {true, true, true, true}},
      {"selection, one point", E::PointSelected, single, {true, false, false, false}},
      {"selection, all X equal", E::PointSelected, sameX, {true, true, false, true}},
      {"dot radius, one point", E::DotRadiusChanged, single, {false, false, false, false}},
      {"dot radius, two points", E::DotRadiusChanged, sameX, {false, true, true, true}},
      {"grid, one point", E::GridSwitched, single, {false, false, false, false}},
      {"grid, two points", E::GridSwitched, spread, {false, false, false, true}},
      {"service edit", E::ServiceEditClosed, single, {true, true, true, true}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(RepaintAfter(row.event, row.curve), row.expected);
  }
}

}  // namespace
