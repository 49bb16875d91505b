#include "model/LinearisationCurve.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>

#include "model/ParameterNumbers.h"

// Readable failure messages for pixel geometry.
static void PrintTo(const PixelPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }
static void PrintTo(const PixelLine& l, std::ostream* os) {
  PrintTo(l.from, os);
  *os << "-";
  PrintTo(l.to, os);
}

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

std::vector<PixelPoint> Markers(const Table& p) {
  return ComputeLinearisationPlot(ReadLinearisationCurve(p), 0, 3, false, false).markers;
}

TEST(LinearisationCurve, PointCountIsClampedForDrawingAndReported) {
  struct Row { std::int32_t stored; int count; bool outOfRange; };
  for (const Row& row : {Row{-1, 0, true}, Row{0, 0, false}, Row{30, 30, false}, Row{31, 30, true},
                         Row{kMax32, 30, true}}) {
    SCOPED_TRACE(row.stored);
    Table p{};
    p[ParameterNumber::LinearisationPointCount] = row.stored;
    const LinearisationCurve curve = ReadLinearisationCurve(p);
    EXPECT_EQ(curve.Count(), row.count);
    EXPECT_EQ(curve.countOutOfRange, row.outOfRange);
    EXPECT_EQ(curve.storedCount, row.stored);
  }
}

TEST(LinearisationCurve, ExtentsComeFromTheFirstAndLastPointAndAllY) {
  const LinearisationCurve curve = ReadLinearisationCurve(WithPoints({{5, 40}, {7, -3}, {9, 12}}));
  EXPECT_EQ(curve.XFirst, 5);
  EXPECT_EQ(curve.XLast, 9);
  EXPECT_EQ(curve.YMin, -3);
  EXPECT_EQ(curve.YMax, 40);

  // Y values beyond the start values still give their true extents.
  const LinearisationCurve high = ReadLinearisationCurve(WithPoints({{0, 1500000000}, {1, 1500000000}}));
  EXPECT_EQ(high.YMin, 1500000000);
  EXPECT_EQ(high.YMax, 1500000000);

  Table none = WithPoints({});
  none[LinearisationX(1)] = 4;
  none[LinearisationX(0)] = 99;  // the parameter before the table is not a point
  const LinearisationCurve empty = ReadLinearisationCurve(none);
  EXPECT_EQ(empty.XLast, 4);
  EXPECT_EQ(empty.YMin, kNoPointsYMin);
  EXPECT_EQ(empty.YMax, kNoPointsYMax);
}

TEST(LinearisationPlot, PointsToPixels) {
  struct Row { const char* name; std::vector<LinearisationPoint> points; std::vector<PixelPoint> markers; };
  const Row rows[] = {
      {"corners and centre", {{0, 0}, {100, 50}, {200, 100}}, {{10, 510}, {350, 260}, {690, 10}}},
      {"halves round away from zero", {{0, 0}, {1, 1}, {1360, 1000}}, {{10, 510}, {11, 510}, {690, 10}}},
      {"all Y equal", {{0, 7}, {10, 7}}, {{10, 510}, {690, 510}}},
      {"all X equal", {{3, 0}, {3, 10}}, {{680, 510}, {680, 10}}},
      {"full 32-bit range", {{kMin32, kMin32}, {0, 0}, {kMax32, kMax32}}, {{10, 510}, {350, 260}, {690, 10}}},
      {"X not ascending stays clippable",
       {{0, 0}, {-2000000000, 0}, {1, 0}},
       {{10, 510}, {-kFarOutside, 510}, {690, 510}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Markers(WithPoints(row.points)), row.markers);
  }
}

TEST(LinearisationPlot, CurveRunsFromEdgeToEdgeThroughEveryPoint) {
  const LinearisationPlot plot =
      ComputeLinearisationPlot(ReadLinearisationCurve(WithPoints({{0, 0}, {100, 50}, {200, 100}})), 2, 4, false, false);
  const std::vector<PixelLine> expected{
      {{0, 510}, {10, 510}}, {{10, 510}, {350, 260}}, {{350, 260}, {690, 10}}, {{690, 10}, {700, 10}}};
  EXPECT_EQ(plot.curve, expected);
  EXPECT_EQ(plot.selectedPoint, 2);
  EXPECT_EQ(plot.dotRadius, 4);

  const LinearisationPlot empty = ComputeLinearisationPlot(ReadLinearisationCurve(WithPoints({})), 1, 99, true, false);
  EXPECT_TRUE(empty.curve.empty());
  EXPECT_EQ(empty.selectedPoint, 0);  // no point 1 to mark
  EXPECT_EQ(empty.dotRadius, kMaxDotRadius);
}

TEST(LinearisationPlot, GridLinesFollowTheirSwitches) {
  const LinearisationCurve curve = ReadLinearisationCurve(WithPoints({{0, 0}, {1, 1}}));
  const auto both = ComputeLinearisationPlot(curve, 1, 3, true, true).gridLines;
  ASSERT_EQ(both.size(), 22u);
  EXPECT_EQ(both[0], (PixelLine{{10, 0}, {10, 519}}));
  EXPECT_EQ(both[1], (PixelLine{{78, 0}, {78, 519}}));
  EXPECT_EQ(both[10], (PixelLine{{690, 0}, {690, 519}}));
  EXPECT_EQ(both[11], (PixelLine{{0, 10}, {699, 10}}));
  EXPECT_EQ(both[21], (PixelLine{{0, 510}, {699, 510}}));
  EXPECT_EQ(ComputeLinearisationPlot(curve, 1, 3, false, true).gridLines.front(), both[11]);
  EXPECT_TRUE(ComputeLinearisationPlot(curve, 1, 3, false, false).gridLines.empty());
}

TEST(LinearisationAxes, LabelsOnlyWithSeveralPointsMidpointsTruncatedTowardZero) {
  Table p = WithPoints({{0, 100}, {-3, -7}});
  p[ParameterNumber::DecimalsOfPositions] = 1;
  p[ParameterNumber::DecimalsOfLinearisation] = 2;
  const LinearisationAxes axes = ComputeLinearisationAxes(ReadLinearisationCurve(p), p);
  EXPECT_EQ(axes.xTicks, (std::vector<int>{10, 350, 690}));
  EXPECT_EQ(axes.yTicks, (std::vector<int>{10, 260, 510}));
  ASSERT_EQ(axes.xLabels.size(), 3u);
  EXPECT_EQ(axes.xLabels[1].position, 350);
  EXPECT_EQ(axes.xLabels[0].text + "|" + axes.xLabels[1].text + "|" + axes.xLabels[2].text, "0,0|-0,1|-0,3");
  ASSERT_EQ(axes.yLabels.size(), 3u);
  EXPECT_EQ(axes.yLabels[0].position, 4);
  EXPECT_EQ(axes.yLabels[0].text + "|" + axes.yLabels[1].text + "|" + axes.yLabels[2].text, "1,00|0,46|-0,07");

  const Table wide = WithPoints({{kMin32, kMin32}, {kMax32, kMax32}});
  EXPECT_EQ(ComputeLinearisationAxes(ReadLinearisationCurve(wide), wide).xLabels[1].text, "-1");

  const Table single = WithPoints({{5, 5}});
  const LinearisationAxes ticksOnly = ComputeLinearisationAxes(ReadLinearisationCurve(single), single);
  EXPECT_EQ(ticksOnly.xTicks.size(), 3u);
  EXPECT_TRUE(ticksOnly.xLabels.empty());
  EXPECT_TRUE(ticksOnly.yLabels.empty());
}

TEST(LinearisationHitTest, FirstMarkerWithinFivePixelsBothWays) {
  const std::vector<PixelPoint> markers{{100, 100}, {103, 102}, {300, 50}};
  struct Row { PixelPoint mouse; std::optional<int> point; };
  for (const Row& row : {Row{{100, 100}, 1}, Row{{105, 95}, 1}, Row{{107, 102}, 2}, Row{{106, 100}, 2},
                         Row{{109, 100}, std::nullopt}, Row{{300, 56}, std::nullopt}, Row{{295, 45}, 3}}) {
    SCOPED_TRACE(testing::Message() << row.mouse.x << "," << row.mouse.y);
    EXPECT_EQ(PointAtMouse(markers, row.mouse), row.point);
  }
  EXPECT_EQ(PointAtMouse({}, {0, 0}), std::nullopt);
}

TEST(LinearisationSelection, ActivationKeepsAValidPointAndPanelsShowItsValues) {
  EXPECT_EQ(PointSelectionOnActivation(3, 5), 3);
  EXPECT_EQ(PointSelectionOnActivation(6, 5), 1);
  EXPECT_EQ(PointSelectionOnActivation(0, 5), 1);
  EXPECT_EQ(PointSelectionOnActivation(1, 0), 1);

  Table p = WithPoints({{1234, -5}, {2000, 7}});
  p[ParameterNumber::DecimalsOfPositions] = 2;
  p[ParameterNumber::DecimalsOfLinearisation] = 3;
  const PointValueTexts texts = SelectedPointTexts(p, 1);
  EXPECT_EQ(texts.X, "12,34");
  EXPECT_EQ(texts.Y, "-0,005");
  EXPECT_EQ(SelectedPointTexts(p, 31).X, "");
  EXPECT_EQ(SelectedPointTexts(p, 0).Y, "");
}

TEST(LinearisationRepaint, EachEventRepaintsWhatItShould) {
  const LinearisationCurve single = ReadLinearisationCurve(WithPoints({{5, 5}}));
  const LinearisationCurve sameX = ReadLinearisationCurve(WithPoints({{5, 5}, {5, 9}}));
  const LinearisationCurve spread = ReadLinearisationCurve(WithPoints({{5, 5}, {8, 9}}));
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
    const LinearisationRepaint got = RepaintAfter(row.event, row.curve);
    EXPECT_EQ(got.pointPanels, row.expected.pointPanels);
    EXPECT_EQ(got.axes, row.expected.axes);
    EXPECT_EQ(got.modeDiagram, row.expected.modeDiagram);
    EXPECT_EQ(got.plot, row.expected.plot);
  }
}

}  // namespace
