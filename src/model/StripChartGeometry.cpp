#include "model/StripChartGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/Functies.h"

namespace {

constexpr std::array<TimeScaleEntry, kTimeScaleCount> kTimeScales = {{
    {"200 ms", 200}, {"500 ms", 500}, {"1 sec", 1000}, {"2 sec", 2000}, {"5 sec", 5000}, {"10 sec", 10000},
}};

constexpr std::array<std::int32_t, kValueScaleCount> kValueScales = {
    100,     200,     500,      1000,     2000,     5000,     10000,     20000,     40000,    50000,    100000,
    200000,  500000,  1000000,  2000000,  5000000,  10000000, 20000000,  50000000,  100000000, 200000000};

// Auto scroll shows the last ten divisions at an assumed 80 ms per sample:
// time scale * 10 / 80 samples.
constexpr int kScalePerShownSample = 8;

std::string SecondsText(std::int64_t ms) { return FormatFixed(1, static_cast<std::int32_t>(ms / 100)); }

TimeDivision MakeTimeDivision(int column, std::int64_t labelMs, bool gridLine) {
  TimeDivision division;
  division.column = column;
  division.label = SecondsText(labelMs);
  division.tick = {{column + 20, 0}, {column + 20, 10}};
  division.labelAt = {column + 10, 10};
  division.gridLine = gridLine;
  return division;
}

// Liang-Barsky: cuts the segment a-b to the rectangle 0 .. maxX, 0 .. maxY;
// false when nothing of it lies inside.
bool ClipToPlot(const CurvePoint& a, const CurvePoint& b, PixelLine* line) {
  const double x0 = static_cast<double>(a.x), y0 = static_cast<double>(a.y);
  const double dx = static_cast<double>(b.x - a.x), dy = static_cast<double>(b.y - a.y);
  double enter = 0.0, leave = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0, kChartWidth - x0, y0, kChartHeight - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) enter = std::max(enter, t);
    else leave = std::min(leave, t);
  }
  if (enter > leave) return false;
  const auto at = [&](double t) {
    return PixelPoint{static_cast<int>(std::lround(x0 + t * dx)), static_cast<int>(std::lround(y0 + t * dy))};
  };
  *line = {at(enter), at(leave)};
  return true;
}

}  // namespace

const std::array<TimeScaleEntry, kTimeScaleCount>& TimeScales() { return kTimeScales; }
const std::array<std::int32_t, kValueScaleCount>& ValueScales() { return kValueScales; }

std::string ValueScaleText(int index) { return std::to_string(ValueScaleAt(index)); }

std::int32_t TimeScaleAt(int index) {
  return kTimeScales[static_cast<std::size_t>(StoredIndexOrFirst(index, kTimeScaleCount))].ms;
}

std::int32_t ValueScaleAt(int index) {
  return kValueScales[static_cast<std::size_t>(StoredIndexOrFirst(index, kValueScaleCount))];
}

int ValueScaleIndexFor(int source, int selected) {
  const int forced = GraphSourceAt(source).forcedValueScaleIndex;
  return forced >= 0 ? forced : StoredIndexOrFirst(selected, kValueScaleCount);
}

bool ValueScaleListEnabled(int source) { return GraphSourceAt(source).forcedValueScaleIndex < 0; }

PixelLine MiddleLine() { return {{0, kMiddleLineY}, {kChartWidth, kMiddleLineY}}; }

int FirstSampleShown(const GraphRecording& recording, bool autoScroll, bool recordingRunning,
                     std::int32_t timeScaleMs, int scrollPosition) {
  const int last = ScrollMaximum(recording);
  if (autoScroll && recordingRunning) return std::max(last - timeScaleMs / kScalePerShownSample, 0);
  return std::clamp(scrollPosition, 0, last);
}

int ScrollMaximum(const GraphRecording& recording) { return std::max(recording.LogCount(), 0); }

std::int32_t FirstShownTime(const GraphRecording& recording, int first) {
  return recording.LogTimes()[static_cast<std::size_t>(std::clamp(first, 0, kLastLogIndex))];
}

std::vector<TimeDivision> TimeAxisDivisions(std::int32_t t0, std::int32_t timeScaleMs) {
  std::vector<TimeDivision> divisions;
  if (timeScaleMs <= 0) return divisions;
  const std::int64_t scale = timeScaleMs;
  if (t0 == 0) {
    // The grid lines at the frame's edges would hide the frame.
    for (int c = 0, k = 0; c < kChartWidth; c += kColumnsPerDivision, ++k)
      divisions.push_back(MakeTimeDivision(c, k * scale, c > 0 && c < kChartWidth - 1));
    return divisions;
  }
  const std::int64_t shift = (static_cast<std::int64_t>(t0) * kColumnsPerDivision / scale) % kColumnsPerDivision;
  std::int64_t label = (t0 / scale) * scale + scale;
  for (int c = kColumnsPerDivision - static_cast<int>(shift); c < kChartWidth; c += kColumnsPerDivision) {
    divisions.push_back(MakeTimeDivision(c, label, true));
    label += scale;
  }
  return divisions;
}

PixelLine VerticalGridLine(int column) { return {{column, 1}, {column, kChartHeight - 1}}; }

std::vector<ValueDivision> ValueAxisDivisions(int source, std::int32_t valueScale, int stripWidth,
                                              const std::array<std::int32_t, kParameterCount>& parameters) {
  const bool analog = GraphSourceAt(source).analog;
  const std::int64_t step = analog ? valueScale / 10000 : valueScale;
  std::vector<ValueDivision> divisions;
  for (int r = 0; r < kChartHeight; r += kRowsPerDivision) {
    ValueDivision division;
    division.row = r;
    // 64-bit: five steps of a value scale beyond the listed ones would overflow.
    const std::int64_t value = 5 * step - (r / kRowsPerDivision) * step;
    division.value = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
    division.label = analog || division.value == 0 ? std::to_string(division.value)
                                                   : FormatFixed(kDecimalsOfPositions, division.value, parameters);
    division.tick = {{stripWidth - 10, r + 10}, {stripWidth, r + 10}};
    division.labelY = r + 4;
    divisions.push_back(division);
  }
  return divisions;
}

int ValueLabelX(int stripWidth, int textWidth) { return std::max(stripWidth - textWidth - 12, 0); }

PixelPoint UnitCaptionAt(int stripHeight) { return {10, stripHeight / 2 - 5}; }

std::vector<PixelLine> HorizontalGridLines() {
  std::vector<PixelLine> lines;
  for (int d = kRowsPerDivision; kMiddleLineY + d < kChartHeight || kMiddleLineY - d > 0; d += kRowsPerDivision) {
    if (kMiddleLineY + d < kChartHeight) lines.push_back({{1, kMiddleLineY + d}, {kChartWidth - 1, kMiddleLineY + d}});
    if (kMiddleLineY - d > 0) lines.push_back({{1, kMiddleLineY - d}, {kChartWidth - 1, kMiddleLineY - d}});
  }
  return lines;
}

CurvePoint SamplePixel(std::int32_t time, std::int32_t value, std::int32_t t0, std::int32_t timeScaleMs,
                       std::int32_t valueScale) {
  // 64-bit: a time difference or value times 60 or 40 overflows 32 bits.
  const std::int64_t x = (static_cast<std::int64_t>(time) - t0) * kColumnsPerDivision / timeScaleMs;
  const std::int64_t y = kMiddleLineY - static_cast<std::int64_t>(value) * kRowsPerDivision / valueScale;
  return {x, y};
}

std::vector<CurvePoint> CurvePoints(const GraphRecording& recording, int first, std::int32_t timeScaleMs,
                                    std::int32_t valueScale) {
  std::vector<CurvePoint> points;
  const int last = recording.LogCount();
  if (last <= 0 || timeScaleMs <= 0 || valueScale <= 0) return points;
  first = std::clamp(first, 0, last);
  const std::int32_t t0 = FirstShownTime(recording, first);
  for (int i = first; i <= last; ++i) {
    const auto at = static_cast<std::size_t>(i);
    points.push_back(SamplePixel(recording.LogTimes()[at], recording.LogValues()[at], t0, timeScaleMs, valueScale));
    if (points.back().x > kChartWidth) break;
  }
  return points;
}

std::vector<PixelLine> VisibleCurveSegments(const std::vector<CurvePoint>& points) {
  std::vector<PixelLine> segments;
  PixelLine line;
  for (std::size_t i = 1; i < points.size(); ++i)
    if (ClipToPlot(points[i - 1], points[i], &line)) segments.push_back(line);
  return segments;
}
