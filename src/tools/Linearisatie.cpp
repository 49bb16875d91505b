#include "tools/Linearisatie.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/LinearisationModeDiagram.h"
#include "model/ParameterGrid.h"
#include "model/ParameterNumbers.h"
#include "tools/LinearisationAxisStrip.h"
#include "tools/LinearisationPlotView.h"
#include "tools/ModeDiagramView.h"
#include "ui/WindowLinks.h"
#include "ui/ElidedLabel.h"
#include "ui/QtText.h"

TFormLinearisatie* FormLinearisatie = nullptr;

namespace {

// Section "Linearisatie". Without a language file the controls keep their
// laid-out captions, which are these defaults (and "X Lijnen" / "Y Lijnen"
// for the grid check boxes).
const std::vector<TextRow> kLinearisatieTexts = {
    {"", "CaptionLinearisatie", "Lin Grafiek"},
    {"GroupBoxXas", "GroepXas", "X"},
    {"LabelXas", "GroepXas", "X"},
    {"GroupBoxYas", "GroepYas", "Y"},
    {"LabelYas", "GroepYas", "Y"},
    {"LabelGrafiekPunt", "CaptionGrafiekPunt", "Punt"},
    {"LabelPuntGrootte", "CaptionPuntGrootte", "Grootte"},
    {"CheckHulplijnenXas", "LabelHulplijnenXas", "lijnen"},
    {"CheckHulplijnenYas", "LabelHulplijnenYas", "lijnen"},
    {"GroupBoxLin", "GroepLin", "Lin"},
    {"cmdEdit_X", "CaptionEditX", "X"},
    {"cmdEdit_Y", "CaptionEditY", "Y"},
};

constexpr int kControlColumnWidth = 230;
constexpr int kPanelMinimumWidth = 120;

// A spin box changed with its arrows (or the arrow keys) only.
class ArrowSpinBox : public QSpinBox {
public:
  ArrowSpinBox(const char* name, int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setObjectName(name);
    setRange(minimum, maximum);
    lineEdit()->setReadOnly(true);
  }
};

// A sunken value panel; a label, so that screen readers read its text.
ElidedLabel* MakePanel(const char* name, QWidget* parent) {
  auto* panel = new ElidedLabel(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setMinimumWidth(kPanelMinimumWidth);
  panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return panel;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

QCheckBox* MakeCheck(const char* name, const QString& text, QWidget* parent) {
  auto* check = new QCheckBox(text, parent);
  check->setObjectName(name);
  return check;
}

std::int32_t Mode() { return GlobalVar().ParameterTable[ParameterNumber::LinearisationMode]; }

}  // namespace

TFormLinearisatie::TFormLinearisatie(QWidget* parent)
    : TWindowBase(parent, "FormLinearisatie", "Lin Grafiek"), texts_("Linearisatie", kLinearisatieTexts) {
  BuildControls();
}

// ---- Layout ---------------------------------------------------------------

void TFormLinearisatie::BuildControls() {
  auto* layout = new QHBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(BuildPlotArea(), 0, Qt::AlignTop);
  layout->addWidget(BuildControlColumn(), 0, Qt::AlignTop);

  QWidget* const tabOrder[] = {SpinEdit_GrafiekPunt, SpinEditDot, cmdEdit_X, CheckHulplijnenXas, cmdEdit_Y,
                               CheckHulplijnenYas};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  connect(SpinEdit_GrafiekPunt, &QSpinBox::valueChanged, this, [this] { SetSpinEditGrafiek(); });
  connect(SpinEditDot, &QSpinBox::valueChanged, this, [this] { SpinEditDotChange(); });
  connect(CheckHulplijnenXas, &QCheckBox::clicked, this, [this] { CheckHulplijnenClick(); });
  connect(CheckHulplijnenYas, &QCheckBox::clicked, this, [this] { CheckHulplijnenClick(); });
  connect(Image1, &LinearisationPlotView::Clicked, this, &TFormLinearisatie::Image1Click);
  connect(cmdEdit_X, &QPushButton::clicked, this, [this] { EditPoint(&ParameterNumber::LinearisationX); });
  connect(cmdEdit_Y, &QPushButton::clicked, this, [this] { EditPoint(&ParameterNumber::LinearisationY); });
}

// The Y strip left of the plot and the X strip below it, both starting at
// the plot's origin; the axis captions above the Y strip and under the
// plot's right edge; the point count warning underneath, in room kept for
// it so that the window does not change its size when it appears.
QWidget* TFormLinearisatie::BuildPlotArea() {
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  LabelYas = MakeLabel("LabelYas", "Y", area);
  LabelXas = MakeLabel("LabelXas", "X", area);
  ImageY = new LinearisationAxisStrip(LinearisationAxisStrip::Axis::Y, area);
  ImageX = new LinearisationAxisStrip(LinearisationAxisStrip::Axis::X, area);
  Image1 = new LinearisationPlotView(area);
  LabelPointCount = MakeLabel("LabelPointCount", "", area);
  LabelPointCount->setStyleSheet("color: #c00000; font-weight: bold;");
  LabelPointCount->setMinimumHeight(LabelPointCount->fontMetrics().height());
  QSizePolicy keepRoom = LabelPointCount->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  LabelPointCount->setSizePolicy(keepRoom);
  LabelPointCount->hide();

  grid->addWidget(LabelYas, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
  grid->addWidget(ImageY, 1, 0);
  grid->addWidget(Image1, 1, 1);
  grid->addWidget(ImageX, 2, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(LabelXas, 3, 1, Qt::AlignRight | Qt::AlignTop);
  grid->addWidget(LabelPointCount, 4, 0, 1, 3, Qt::AlignLeft);
  return area;
}

QWidget* TFormLinearisatie::BuildControlColumn() {
  auto* column = new QWidget(this);
  column->setFixedWidth(kControlColumnWidth);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  Image6 = new ModeDiagramView(column);
  layout->addWidget(Image6, 0, Qt::AlignHCenter);

  auto* lin = new QGroupBox("Lin", column);
  lin->setObjectName("GroupBoxLin");
  auto* linLayout = new QVBoxLayout(lin);
  LabelMode = MakeLabel("LabelMode", "", lin);
  PanelMode = MakePanel("PanelMode", lin);
  LabelBron = MakeLabel("LabelBron", "", lin);
  PanelBron = MakePanel("PanelBron", lin);
  LabelMode->setBuddy(PanelMode);
  LabelBron->setBuddy(PanelBron);
  for (QWidget* w : {static_cast<QWidget*>(LabelMode), static_cast<QWidget*>(PanelMode),
                     static_cast<QWidget*>(LabelBron), static_cast<QWidget*>(PanelBron)})
    linLayout->addWidget(w);
  layout->addWidget(lin);

  auto* points = new QGridLayout;
  SpinEdit_GrafiekPunt = new ArrowSpinBox("SpinEdit_GrafiekPunt", 1, 1, column);
  SpinEditDot = new ArrowSpinBox("SpinEditDot", 0, kMaxDotRadius, column);
  QLabel* punt = MakeLabel("LabelGrafiekPunt", "Punt", column);
  QLabel* grootte = MakeLabel("LabelPuntGrootte", "Grootte", column);
  punt->setBuddy(SpinEdit_GrafiekPunt);
  grootte->setBuddy(SpinEditDot);
  points->addWidget(punt, 0, 0);
  points->addWidget(SpinEdit_GrafiekPunt, 0, 1);
  points->addWidget(grootte, 1, 0);
  points->addWidget(SpinEditDot, 1, 1);
  layout->addLayout(points);

  Panel_PX = MakePanel("Panel_PX", column);
  Panel_PY = MakePanel("Panel_PY", column);
  cmdEdit_X = MakeButton("cmdEdit_X", "X", column);
  cmdEdit_Y = MakeButton("cmdEdit_Y", "Y", column);
  CheckHulplijnenXas = MakeCheck("CheckHulplijnenXas", "X Lijnen", column);
  CheckHulplijnenYas = MakeCheck("CheckHulplijnenYas", "Y Lijnen", column);
  layout->addWidget(BuildAxisGroup("GroupBoxXas", "X", Panel_PX, cmdEdit_X, CheckHulplijnenXas));
  layout->addWidget(BuildAxisGroup("GroupBoxYas", "Y", Panel_PY, cmdEdit_Y, CheckHulplijnenYas));
  layout->addStretch();
  return column;
}

// The selected point's value on one axis, the button that edits it and the
// grid switch of that axis.
QGroupBox* TFormLinearisatie::BuildAxisGroup(const char* name, const char* title, ElidedLabel* panel, QPushButton* edit,
                                             QCheckBox* grid) {
  auto* group = new QGroupBox(title, this);
  group->setObjectName(name);
  auto* layout = new QGridLayout(group);
  layout->addWidget(panel, 0, 0, 1, 2);
  layout->addWidget(edit, 1, 0);
  layout->addWidget(grid, 1, 1);
  return group;
}

// ---- Activation and closing -----------------------------------------------

void TFormLinearisatie::FormActivate() {
  const TGlobalVar& g = GlobalVar();
  {
    const QSignalBlocker blockDot(SpinEditDot);
    CheckHulplijnenXas->setChecked(g.Lin_X_hulplijn);
    CheckHulplijnenYas->setChecked(g.Lin_Y_hulplijn);
    SpinEditDot->setValue(g.Puntgrootte);
  }
  texts_.Apply(*this);

  curve_ = ReadLinearisationCurve(g.ParameterTable);
  Image1->Clear();
  ImageX->Clear();
  ImageY->Clear();
  Image6->ShowFrames(Mode() != 0);
  ShowModeAndSource();

  const int count = curve_.Count();
  {
    const QSignalBlocker blockPoint(SpinEdit_GrafiekPunt);
    const int selected = PointSelectionOnActivation(SpinEdit_GrafiekPunt->value(), count);
    SpinEdit_GrafiekPunt->setMaximum(std::max(count, 1));
    SpinEdit_GrafiekPunt->setValue(selected);
  }
  // Without points there is nothing to select or edit.
  for (QWidget* w : {static_cast<QWidget*>(SpinEdit_GrafiekPunt), static_cast<QWidget*>(cmdEdit_X),
                     static_cast<QWidget*>(cmdEdit_Y)})
    w->setEnabled(count >= 1);

  LinearisationRepaint parts = RepaintAfter(LinearisationEvent::Activated, curve_);
  parts.pointPanels = true;  // the panels never keep the values of an earlier table
  Repaint(parts);
}

void TFormLinearisatie::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) FormClose();
  TWindowBase::hideEvent(event);
}

void TFormLinearisatie::FormClose() {
  TGlobalVar& g = GlobalVar();
  g.Lin_X_hulplijn = CheckHulplijnenXas->isChecked();
  g.Lin_Y_hulplijn = CheckHulplijnenYas->isChecked();
  g.Puntgrootte = SpinEditDot->value();
}

// ---- Drawing --------------------------------------------------------------

// The curve is read afresh before every drawing, so that an edit of the
// table shows at once.
void TFormLinearisatie::Repaint(const LinearisationRepaint& parts) {
  curve_ = ReadLinearisationCurve(GlobalVar().ParameterTable);
  ShowPointCountWarning();
  if (parts.pointPanels) ShowPointValues();
  if (parts.axes) Ber_en_Teken_XY();
  if (parts.modeDiagram) TekenGrafiek_sub();
  if (parts.plot) TekenGrafiek();
}

void TFormLinearisatie::Ber_en_Teken_XY() {
  const LinearisationAxes axes = ComputeLinearisationAxes(curve_, GlobalVar().ParameterTable);
  ImageX->ShowAxes(axes);
  ImageY->ShowAxes(axes);
}

void TFormLinearisatie::TekenGrafiek() {
  Image1->ShowPlot(ComputeLinearisationPlot(curve_, SpinEdit_GrafiekPunt->value(), SpinEditDot->value(),
                                            CheckHulplijnenXas->isChecked(), CheckHulplijnenYas->isChecked()));
}

void TFormLinearisatie::TekenGrafiek_sub() { Image6->ShowDiagram(ComputeModeDiagram(curve_, Mode())); }

void TFormLinearisatie::ShowPointValues() {
  const PointValueTexts texts = curve_.Count() >= 1
                                    ? SelectedPointTexts(GlobalVar().ParameterTable, SpinEdit_GrafiekPunt->value())
                                    : PointValueTexts{};
  Panel_PX->setText(Q(texts.X));
  Panel_PY->setText(Q(texts.Y));
}

void TFormLinearisatie::ShowModeAndSource() {
  const LinearisationModeTexts texts = ModeAndSourceTexts(GlobalVar(), S(LabelXas->text()));
  PanelMode->setText(Q(texts.modePanel));
  PanelBron->setText(Q(texts.sourcePanel));
  LabelMode->setText(Q(texts.modeLabel));
  LabelBron->setText(Q(texts.sourceLabel));
}

// The count is drawn clamped, and the engineer should know that the table
// is not what the device was given.
void TFormLinearisatie::ShowPointCountWarning() {
  LabelPointCount->setVisible(curve_.countOutOfRange);
  if (curve_.countOutOfRange)
    LabelPointCount->setText(Q(Tekst("Linearisatie", "PointCountOutOfRange", "Number of points out of range:")) +
                             QString(" %1 (0..%2)").arg(curve_.storedCount).arg(ParameterNumber::kLinearisationPoints));
}

// ---- Events ---------------------------------------------------------------

void TFormLinearisatie::SetSpinEditGrafiek() { Repaint(RepaintAfter(LinearisationEvent::PointSelected, curve_)); }

void TFormLinearisatie::Image1Click(int x, int y) {
  const std::optional<int> point = PointAtMouse(Image1->Markers(), {x, y});
  if (!point) return;
  {
    const QSignalBlocker block(SpinEdit_GrafiekPunt);
    SpinEdit_GrafiekPunt->setValue(*point);
  }
  SetSpinEditGrafiek();
}

void TFormLinearisatie::SpinEditDotChange() { Repaint(RepaintAfter(LinearisationEvent::DotRadiusChanged, curve_)); }

void TFormLinearisatie::CheckHulplijnenClick() { Repaint(RepaintAfter(LinearisationEvent::GridSwitched, curve_)); }

void TFormLinearisatie::EditPoint(int (*parameterOfPoint)(int)) {
  TGlobalVar& g = GlobalVar();
  const int number = parameterOfPoint(SpinEdit_GrafiekPunt->value());
  g.SelectedParameter = SelectParameter(EditorCataloguesOf(g), number, g.ParameterTable).Parameter;
  if (Links().parameterService != nullptr) Links().parameterService->exec();
  Repaint(RepaintAfter(LinearisationEvent::ServiceEditClosed, curve_));
}
