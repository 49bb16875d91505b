#include "tools/StripChartView.h"

#include <QPainter>
#include <QPaintEvent>
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

// Aliased one-pixel lines that leave out their end point, so a line from
// (0, 204) to (601, 204) covers columns 0 .. 600.
QPen LinePen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(colour);
  pen.setWidth(1);
  pen.setStyle(style);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

QLine AsQLine(const PixelLine& line) { return {line.from.x, line.from.y, line.to.x, line.to.y}; }

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
  QVector<QLine> lines;
  lines.reserve(static_cast<qsizetype>(segments.size()));
  for (const PixelLine& segment : segments) lines.push_back(AsQLine(segment));
  painter.setPen(LinePen(QColor(0, 0, 255)));
  painter.drawLines(lines);
}

}  // namespace

void PaintPlot(QPainter& painter, const StripChartScene& scene) {
  painter.fillRect(QRect(0, 0, kChartWidth, kChartHeight), Qt::white);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(LinePen(Qt::black));
  // A stroked rectangle covers one column and one row more than its size.
  painter.drawRect(QRect(0, 0, kChartWidth - 1, kChartHeight - 1));
  painter.drawLine(AsQLine(MiddleLine()));
  painter.setPen(LinePen(Qt::black, Qt::DotLine));
  if (scene.horizontalGridLines)
    for (const PixelLine& line : HorizontalGridLines()) painter.drawLine(AsQLine(line));
  if (scene.verticalGridLines)
    for (const TimeDivision& division : TimeAxisDivisions(FirstTime(scene), scene.timeScaleMs))
      if (division.gridLine) painter.drawLine(AsQLine(VerticalGridLine(division.column)));
  DrawCurve(painter, scene);
}

void PaintTimeStrip(QPainter& painter, const StripChartScene& scene) {
  painter.setPen(LinePen(Qt::black));
  for (const TimeDivision& division : TimeAxisDivisions(FirstTime(scene), scene.timeScaleMs)) {
    painter.drawLine(AsQLine(division.tick));
    DrawTextAt(painter, division.labelAt.x, division.labelAt.y, Q(division.label));
  }
}

void PaintValueStrip(QPainter& painter, const StripChartScene& scene, int stripWidth, int stripHeight) {
  painter.setPen(LinePen(Qt::black));
  const QFontMetrics metrics = painter.fontMetrics();
  for (const ValueDivision& division : ValueAxisDivisions(scene.source, scene.valueScale, stripWidth, ParametersOf(scene))) {
    painter.drawLine(AsQLine(division.tick));
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
