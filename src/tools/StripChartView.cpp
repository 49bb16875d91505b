#include "tools/StripChartView.h"

#include <QPainter>
#include <QPaintEvent>
#include <cstdlib>
#include <functional>
#include <vector>

#include "model/StripChartGeometry.h"
#include "ui/QtText.h"

namespace {

// One surface of the chart: it paints what its routine draws, on the
// view's button-face background.
class ChartSurface : public QWidget {
public:
  using Paint = std::function<void(QPainter&)>;
  ChartSurface(const char* name, QRect geometry, Paint paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint)) {
    setObjectName(name);
    setGeometry(geometry);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paint_(painter);
  }

private:
  Paint paint_;
};

// Straight lines are filled pixel rectangles: exact at any pixel ratio
// (an aliased pen at 200 % lands half a pixel off). Like the plot's lines
// they leave out their end point: (0, 204)-(601, 204) covers columns 0 .. 600.
// A dotted line has every third pixel set, from its start.
void FillLine(QPainter& painter, const PixelLine& line, const QColor& colour, bool dotted = false) {
  const int dx = line.to.x > line.from.x ? 1 : line.to.x < line.from.x ? -1 : 0;
  const int dy = line.to.y > line.from.y ? 1 : line.to.y < line.from.y ? -1 : 0;
  if (dx != 0 && dy != 0) return;  // only straight lines here; the curve is drawn with a pen
  const int length = std::abs(line.to.x - line.from.x) + std::abs(line.to.y - line.from.y);
  if (!dotted) {
    const QRect run = QRect(QPoint(line.from.x, line.from.y), QPoint(line.to.x - dx, line.to.y - dy)).normalized();
    if (length > 0) painter.fillRect(run, colour);
    return;
  }
  for (int i = 0; i < length; i += 3) painter.fillRect(QRect(line.from.x + i * dx, line.from.y + i * dy, 1, 1), colour);
}

// A curve segment through the pixel centres, so that it covers the same
// pixels at every pixel ratio.
QLineF CurveLine(const PixelLine& line) {
  return {line.from.x + 0.5, line.from.y + 0.5, line.to.x + 0.5, line.to.y + 0.5};
}

void DrawTextAt(QPainter& painter, int x, int top, const QString& text) {
  painter.drawText(QPoint(x, top + painter.fontMetrics().ascent()), text);
}

const std::array<std::int32_t, kParameterCount>& ParametersOf(const StripChartScene& scene) {
  static const std::array<std::int32_t, kParameterCount> none{};
  return scene.parameters != nullptr ? *scene.parameters : none;
}

bool HasSamples(const StripChartScene& scene) { return scene.recording != nullptr && scene.recording->LogCount() >= 0; }

std::int32_t FirstTime(const StripChartScene& scene) {
  return HasSamples(scene) ? FirstShownTime(*scene.recording, scene.firstSample) : 0;
}

void DrawCurve(QPainter& painter, const StripChartScene& scene) {
  if (!HasSamples(scene) || scene.recording->LogCount() <= 0) return;
  const std::vector<PixelLine> segments =
      VisibleCurveSegments(CurvePoints(*scene.recording, scene.firstSample, scene.timeScaleMs, scene.valueScale));
  QVector<QLineF> lines;
  lines.reserve(static_cast<qsizetype>(segments.size()));
  for (const PixelLine& segment : segments) lines.push_back(CurveLine(segment));
  QPen pen(QColor(0, 0, 255));
  pen.setWidth(1);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.drawLines(lines);
}

}  // namespace

void PaintPlot(QPainter& painter, const StripChartScene& scene) {
  const QColor black(Qt::black);
  painter.fillRect(QRect(0, 0, kChartWidth, kChartHeight), Qt::white);
  // The frame (0, 0)-(601, 409): columns 0 and 600, rows 0 and 408.
  FillLine(painter, {{0, 0}, {kChartWidth, 0}}, black);
  FillLine(painter, {{0, kChartHeight - 1}, {kChartWidth, kChartHeight - 1}}, black);
  FillLine(painter, {{0, 0}, {0, kChartHeight}}, black);
  FillLine(painter, {{kChartWidth - 1, 0}, {kChartWidth - 1, kChartHeight}}, black);
  FillLine(painter, MiddleLine(), black);
  if (scene.horizontalGridLines)
    for (const PixelLine& line : HorizontalGridLines()) FillLine(painter, line, black, true);
  if (scene.verticalGridLines)
    for (const TimeDivision& division : TimeAxisDivisions(FirstTime(scene), scene.timeScaleMs))
      if (division.gridLine) FillLine(painter, VerticalGridLine(division.column), black, true);
  DrawCurve(painter, scene);
}

void PaintTimeStrip(QPainter& painter, const StripChartScene& scene) {
  painter.setPen(Qt::black);
  for (const TimeDivision& division : TimeAxisDivisions(FirstTime(scene), scene.timeScaleMs)) {
    FillLine(painter, division.tick, Qt::black);
    DrawTextAt(painter, division.labelAt.x, division.labelAt.y, Q(division.label));
  }
}

void PaintValueStrip(QPainter& painter, const StripChartScene& scene, int stripWidth, int stripHeight) {
  painter.setPen(Qt::black);
  const QFontMetrics metrics = painter.fontMetrics();
  for (const ValueDivision& division : ValueAxisDivisions(scene.source, scene.valueScale, stripWidth, ParametersOf(scene))) {
    FillLine(painter, division.tick, Qt::black);
    const QString label = Q(division.label);
    DrawTextAt(painter, ValueLabelX(stripWidth, metrics.horizontalAdvance(label)), division.labelY, label);
  }
  const PixelPoint caption = UnitCaptionAt(stripHeight);
  DrawTextAt(painter, caption.x, caption.y, GraphSourceAt(scene.source).unitCaption);
}

StripChartView::StripChartView(QWidget* parent) : QWidget(parent) {
  setObjectName("StripChart");
  const int plotX = kValueStripWidth;
  const int plotY = kValueStripAbove;
  setFixedSize(plotX + kChartWidth + kTimeStripOverhang, plotY + kChartHeight + kTimeStripHeight);
  // The strips are drawn on the button face; they overlap a little at the
  // bottom left corner, where both are empty.
  setAutoFillBackground(true);
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  ImageY = new ChartSurface("ImageY", QRect(0, 0, kValueStripWidth, kValueStripHeight),
                            [this](QPainter& p) { PaintValueStrip(p, scene_, kValueStripWidth, kValueStripHeight); }, this);
  ImageX = new ChartSurface("ImageX",
                            QRect(plotX - kTimeStripOverhang, plotY + kChartHeight,
                                  kChartWidth + 2 * kTimeStripOverhang, kTimeStripHeight),
                            [this](QPainter& p) { PaintTimeStrip(p, scene_); }, this);
  Image1 = new ChartSurface("Image1", QRect(plotX, plotY, kChartWidth, kChartHeight),
                            [this](QPainter& p) { PaintPlot(p, scene_); }, this);
  Image1->setAttribute(Qt::WA_OpaquePaintEvent);
}

void StripChartView::SetScene(const StripChartScene& scene) {
  scene_ = scene;
  update();
  for (QWidget* surface : {Image1, ImageX, ImageY}) surface->update();
}
