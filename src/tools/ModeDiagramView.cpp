#include "tools/ModeDiagramView.h"

#include <QLabel>
#include <QPainter>

#include "tools/PixelPainting.h"

namespace {

constexpr int kCentre = kModeDiagramSize / 2;  // 100
constexpr int kInset = 3;                     // quadrant labels from the corners

QWidget* MakeAxisLine(const char* name, QRect geometry, QWidget* parent) {
  auto* line = new QWidget(parent);
  line->setObjectName(name);
  line->setGeometry(geometry);
  line->setAutoFillBackground(true);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, Qt::black);
  line->setPalette(palette);
  return line;
}

QLabel* MakeLetter(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  label->adjustSize();
  return label;
}

}  // namespace

ModeDiagramView::ModeDiagramView(QWidget* parent) : QWidget(parent) {
  setObjectName("Image6");
  setFixedSize(kModeDiagramSize, kModeDiagramSize);
  BuildChildren();
  ShowFrames(false);
}

void ModeDiagramView::BuildChildren() {
  const int far = kModeDiagramSize - kInset;
  auto place = [&](QLabel* label, int x, int y, bool fromRight, bool fromBottom) {
    label->move(fromRight ? x - label->width() : x, fromBottom ? y - label->height() : y);
    children_.push_back(label);
  };
  place(MakeLetter("LabelQ1", "Q1", this), far, kInset, true, false);
  place(MakeLetter("LabelQ2", "Q2", this), kInset, kInset, false, false);
  place(MakeLetter("LabelQ3", "Q3", this), kInset, far, false, true);
  place(MakeLetter("LabelQ4", "Q4", this), far, far, true, true);
  place(MakeLetter("LabelXasSub", "X", this), far, kCentre + 2, true, false);
  place(MakeLetter("LabelYasSub", "Y", this), kCentre + 4, kInset, false, false);
  children_.push_back(MakeAxisLine("Lijn_X", QRect(1, kCentre, kModeDiagramSize - 2, 1), this));
  children_.push_back(MakeAxisLine("Lijn_Y", QRect(kCentre, 1, 1, kModeDiagramSize - 2), this));
}

void ModeDiagramView::ShowFrames(bool shown) {
  framesShown_ = shown;
  diagram_.reset();
  for (QWidget* child : children_) child->setVisible(shown);
  update();
}

void ModeDiagramView::ShowDiagram(const ModeDiagram& diagram) {
  diagram_ = diagram;
  update();
}

QImage ModeDiagramView::Image() const {
  QImage image(kModeDiagramSize, kModeDiagramSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  Paint(painter);
  return image;
}

void ModeDiagramView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter);
}

void ModeDiagramView::Paint(QPainter& painter) const {
  if (!framesShown_) return;
  painter.fillRect(rect(), Qt::white);
  for (const PixelRect& frame : kQuadrantFrames) DrawFrame(painter, frame, Qt::black);
  if (!diagram_ || !diagram_->fillsInterior) return;
  painter.fillRect(ToQRect(kModeDiagramInterior), Qt::white);
  painter.setPen(QPen(ToQColor(kCurveColour), 1));
  for (const PixelLine& line : diagram_->curve) DrawLine(painter, line);
}
