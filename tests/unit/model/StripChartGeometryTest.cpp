// Where the live log graph draws its axes, grid and curve.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/StripChartGeometry.h"

namespace {

using Table = std::array<std::int32_t, kParameterCount>;

GraphRecording Recording(const std::vector<std::pair<std::int32_t, std::int32_t>>& timeAndValue) {
  GraphRecording recording;
  recording.Start();
  for (const auto& [time, value] : timeAndValue) recording.AddSample(std::optional<std::int32_t>(value), time);
  return recording;
}

TEST(StripChartScales, StoredIndexesOutsideTheListsFallBackToTheFirstEntry) {
  EXPECT_STREQ(TimeScales()[2].text, "1 sec");
  EXPECT_EQ(TimeScaleAt(5), 10000);
  EXPECT_EQ(TimeScaleAt(6), 200);
  EXPECT_EQ(ValueScaleAt(20), 200000000);
  EXPECT_EQ(ValueScaleAt(-1), 100);
  EXPECT_EQ(ValueScaleText(8), "40000");
  EXPECT_EQ(ValueScaleIndexFor(0, 99), 0);
  EXPECT_EQ(ValueScaleIndexFor(1, 12), 12);
  EXPECT_EQ(ValueScaleIndexFor(5, 2), 7);
  EXPECT_EQ(ValueScaleIndexFor(6, 2), 8);
  EXPECT_FALSE(ValueScaleListEnabled(4));
  EXPECT_TRUE(ValueScaleListEnabled(7));
}

TEST(StripChartGeometry, FirstSampleShown) {
  std::vector<std::pair<std::int32_t, std::int32_t>> samples;
  for (int i = 0; i <= 500; ++i) samples.push_back({i * 80, 0});
  const GraphRecording recording = Recording(samples);
  struct Row { bool autoScroll, running; std::int32_t scale; int scroll, first; };
  const Row rows[] = {
      {true, true, 1000, 0, 375},  {true, true, 10000, 0, 0},  {true, false, 1000, 42, 42},
      {false, true, 1000, 42, 42}, {false, false, 1000, 900, 500}, {false, false, 1000, -3, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.first);
    EXPECT_EQ(FirstSampleShown(recording, row.autoScroll, row.running, row.scale, row.scroll), row.first);
  }
  EXPECT_EQ(FirstSampleShown(GraphRecording{}, false, false, 1000, 7), 0);
  EXPECT_EQ(ScrollMaximum(GraphRecording{}), 0);
}

TEST(StripChartGeometry, TimeAxisFromColumnZero) {
  const std::vector<TimeDivision> divisions = TimeAxisDivisions(0, 200);
  ASSERT_EQ(divisions.size(), 11u);
  EXPECT_EQ(divisions[1].label, "0,2");
  EXPECT_EQ(divisions[10].column, 600);
  EXPECT_EQ(divisions[10].label, "2,0");
  EXPECT_EQ(divisions[3].tick, (PixelLine{{200, 0}, {200, 10}}));
  EXPECT_EQ(divisions[3].labelAt, (PixelPoint{190, 10}));
  EXPECT_FALSE(divisions[0].gridLine);
  EXPECT_TRUE(divisions[1].gridLine);
  EXPECT_FALSE(divisions[10].gridLine);
}

TEST(StripChartGeometry, TimeAxisOfAScrolledPlot) {
  const std::vector<TimeDivision> divisions = TimeAxisDivisions(1500, 1000);
  ASSERT_EQ(divisions.size(), 10u);
  EXPECT_EQ(divisions[0].column, 30);
  EXPECT_EQ(divisions[0].label, "2,0");
  EXPECT_EQ(divisions[1].column, 90);
  EXPECT_EQ(divisions[1].label, "3,0");
  EXPECT_TRUE(divisions[0].gridLine);
  const std::vector<TimeDivision> whole = TimeAxisDivisions(1000, 1000);
  EXPECT_EQ(whole[0].column, 60);
  EXPECT_EQ(whole[0].label, "2,0");
  EXPECT_EQ(VerticalGridLine(30), (PixelLine{{30, 1}, {30, 408}}));
}

TEST(StripChartGeometry, ValueAxisOfAnAnalogSourceInWholeUnits) {
  const std::vector<ValueDivision> divisions = ValueAxisDivisions(4, ValueScaleAt(ValueScaleIndexFor(4, 0)), 50, {});
  std::vector<std::string> labels;
  for (const ValueDivision& d : divisions) labels.push_back(d.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"20", "16", "12", "8", "4", "0", "-4", "-8", "-12", "-16", "-20"}));
  EXPECT_STREQ(GraphSourceAt(4).unitCaption, "(mA)");
  EXPECT_EQ(divisions[2].tick, (PixelLine{{40, 90}, {50, 90}}));
  EXPECT_EQ(divisions[2].labelY, 84);
  EXPECT_EQ(ValueLabelX(50, 20), 18);
  EXPECT_EQ(ValueLabelX(50, 60), 0);
  EXPECT_EQ(UnitCaptionAt(421), (PixelPoint{10, 205}));
}

TEST(StripChartGeometry, ValueAxisOfAPositionWithItsDecimals) {
  Table p{};
  p[203] = 2;
  const std::vector<ValueDivision> divisions = ValueAxisDivisions(0, 100, 50, p);
  EXPECT_EQ(divisions[0].label, "5,00");
  EXPECT_EQ(divisions[5].label, "0");
  EXPECT_EQ(divisions[10].label, "-5,00");
  EXPECT_EQ(ValueAxisDivisions(0, 200000000, 50, {})[0].value, 1000000000);
}

TEST(StripChartGeometry, HorizontalGridLinesInsideThePlot) {
  std::vector<int> rows;
  for (const PixelLine& line : HorizontalGridLines()) {
    EXPECT_EQ(line.from.x, 1);
    EXPECT_EQ(line.to.x, 600);
    rows.push_back(line.from.y);
  }
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<int>{4, 44, 84, 124, 164, 244, 284, 324, 364, 404}));
}

TEST(StripChartGeometry, SamplePixels) {
  EXPECT_EQ(SamplePixel(0, 100000, 0, 1000, 20000), (CurvePoint{0, 4}));
  EXPECT_EQ(SamplePixel(1500, -33, 1000, 1000, 100), (CurvePoint{30, 217}));  // -13,2 truncated toward zero
  EXPECT_EQ(SamplePixel(INT32_MAX, INT32_MIN, 0, 200, 100), (CurvePoint{644245094, 858993663}));
}

TEST(StripChartGeometry, CurveStopsAfterTheFirstPointRightOfThePlot) {
  const GraphRecording recording = Recording({{0, 0}, {5000, 100}, {10000, 0}, {10100, 0}, {20000, 0}});
  const std::vector<CurvePoint> points = CurvePoints(recording, 1, 1000, 100);
  EXPECT_EQ(points, (std::vector<CurvePoint>{{0, 164}, {300, 204}, {306, 204}, {900, 204}}));
  EXPECT_TRUE(CurvePoints(Recording({{0, 5}}), 0, 1000, 100).empty());
}

TEST(StripChartGeometry, HugeValuesAreCutToThePlotForThePainter) {
  const GraphRecording recording = Recording({{0, 0}, {1000, 2000000000}, {2000, 0}});
  const std::vector<PixelLine> segments = VisibleCurveSegments(CurvePoints(recording, 0, 1000, 100));
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0].from, (PixelPoint{0, 204}));
  EXPECT_EQ(segments[0].to.y, 0);
  EXPECT_EQ(segments[0].to.x, 0);  // the rise of 800 million rows is nearly vertical
  EXPECT_EQ(segments[1].to, (PixelPoint{120, 204}));
  for (const PixelLine& s : segments)
    for (const PixelPoint& p : {s.from, s.to}) {
      EXPECT_GE(p.y, 0);
      EXPECT_LE(p.y, kChartHeight);
    }
}

}  // namespace
