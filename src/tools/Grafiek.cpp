#include "tools/Grafiek.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <chrono>

#include "model/Global_var.h"
#include "model/StripChartGeometry.h"
#include "tools/StripChartView.h"
#include "ui/QtText.h"

TFormGrafiek* FormGrafiek = nullptr;

namespace {

// Section "Grafiek" of the language file. Without a file the laid-out
// captions stay, the check boxes have none and the status texts are empty.
constexpr const char* kLaidOutExport = "Exporteren...";

const std::vector<TextRow> kGrafiekTexts = {
    {"", "CaptionGrafiek", "Istwerten"},
    {"LabelBuffer", "LabelBuffer", "Buffer"},
    {"CheckBoxAutoScroll", "LabelAutoscroll", "Autoscroll"},
    {"CheckHulplijnenXas", "LabelHulplijnenXas", "Hulplijn"},
    {"CheckHulplijnenYas", "LabelHulplijnenYas", "Hulplijn"},
    {"CmdStartLog", "CmdStartLog", "Start"},
    {"CmdStopLog", "CmdStopLog", "Stop"},
    {"GroepXas", "GroepXas", "X"},
    {"GroepYas", "GroepYas", "Y"},
    {"LabelBron", "LabelBron", "Bron"},
    {"ComboBoxBron", "optiesBron", nullptr, TextRow::Kind::List},
    {"CmdExport", "CmdExport", kLaidOutExport},
    {nullptr, "ExportCaption", "Opname exporteren"},
    {nullptr, "ExportMsg", "De opname is niet opgeslagen:"},
    {nullptr, "PanelTekst0", "tekst 0"},
    {nullptr, "PanelTekst1", "tekst 1"},
    {nullptr, "PanelTekst2", "tekst 2"},
    {nullptr, "PanelTekst3", "tekst 3"},
    {nullptr, "PanelTekst4", "tekst 4"},
};

constexpr int kTextTimeOut = 0;
constexpr int kTextCommError = 1;
constexpr int kTextStarted = 2;
constexpr int kTextStopped = 3;
constexpr int kTextBufferFull = 4;
constexpr const char* kStatusKeys[] = {"PanelTekst0", "PanelTekst1", "PanelTekst2", "PanelTekst3", "PanelTekst4"};

// The source items of the window definition; a language file brings all nine.
const QStringList kLaidOutSources = {"ActPos", "Act_V", "Act_U", "Act_I"};

std::int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& accessibleName, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  // Laid out without a caption: a screen reader still has its meaning.
  box->setAccessibleName(accessibleName);
  return box;
}

QListWidget* MakeList(const QString& name, const QStringList& items, int visibleRows, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->addItems(items);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setFixedHeight(list->sizeHintForRow(0) * visibleRows + 2 * list->frameWidth() + 2);
  return list;
}

}  // namespace

TFormGrafiek::TFormGrafiek(QWidget* parent)
    : TWindowBase(parent, "FormGrafiek", "FormGrafiek"), texts_("Grafiek", kGrafiekTexts), clock_(SteadyMilliseconds) {
  BuildControls();
  Wire(QL200LeesLogData, 300, [this](const ResultBytes& r) { QL200LeesLogDataCommResult(r); },
       [this](const TCommError& e) { QL200LeesLogDataCommError(e); });
}

void TFormGrafiek::BuildControls() {
  auto* layout = new QHBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* left = new QVBoxLayout;
  Chart = new StripChartView(this);
  left->addWidget(Chart);
  ScrollBar2 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar2->setObjectName("ScrollBar2");
  ScrollBar2->setRange(0, kLastLogIndex);
  ScrollBar2->setSingleStep(20);
  ScrollBar2->setPageStep(10);
  ScrollBar2->setFixedWidth(kChartWidth);
  ScrollBar2->setAccessibleName("First sample shown");
  auto* scrollRow = new QHBoxLayout;
  scrollRow->addSpacing(StripChartView::kValueStripWidth);
  scrollRow->addWidget(ScrollBar2);
  scrollRow->addStretch(1);
  left->addLayout(scrollRow);
  left->addWidget(BuildBufferRow());
  PanelCommError = new QLabel(this);
  PanelCommError->setObjectName("PanelCommError");
  PanelCommError->setFrameShape(QFrame::Panel);
  PanelCommError->setFrameShadow(QFrame::Sunken);
  PanelCommError->setMinimumHeight(22);
  left->addWidget(PanelCommError);
  layout->addLayout(left);
  layout->addSpacing(8);
  layout->addWidget(BuildSideColumn(), 0, Qt::AlignTop);

  connect(ScrollBar2, &QScrollBar::valueChanged, this, [this] { TekenGrafiek(); });
}

QWidget* TFormGrafiek::BuildBufferRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(StripChartView::kValueStripWidth, 0, 0, 0);
  LabelBuffer = new QLabel("Buffer:", row);
  LabelBuffer->setObjectName("LabelBuffer");
  Gauge1 = new QProgressBar(row);
  Gauge1->setObjectName("Gauge1");
  Gauge1->setRange(0, kLastLogIndex);
  Gauge1->setValue(0);
  Gauge1->setTextVisible(false);
  Gauge1->setFixedWidth(300);
  QPalette blue = Gauge1->palette();
  blue.setColor(QPalette::Highlight, QColor(0, 0, 255));
  Gauge1->setPalette(blue);
  LabelBuffer->setBuddy(Gauge1);
  LabelBufferCount = new QLabel(Q(recording_.BufferTimeText()), row);
  LabelBufferCount->setObjectName("LabelBufferCount");
  LabelBufferCount->setMinimumWidth(80);
  layout->addWidget(LabelBuffer);
  layout->addWidget(Gauge1);
  layout->addWidget(LabelBufferCount);
  layout->addStretch(1);
  return row;
}

QWidget* TFormGrafiek::BuildSideColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  QStringList times;
  for (const TimeScaleEntry& scale : TimeScales()) times << scale.text;
  QStringList values;
  for (int i = 0; i < kValueScaleCount; ++i) values << Q(ValueScaleText(i));

  GroepXas = new QGroupBox("X-as", column);
  GroepXas->setObjectName("GroepXas");
  auto* x = new QVBoxLayout(GroepXas);
  ListBoxX = MakeList("ListBoxX", times, kTimeScaleCount, GroepXas);
  CheckHulplijnenXas = MakeCheckBox("CheckHulplijnenXas", "Hulplijn", GroepXas);
  x->addWidget(ListBoxX);
  x->addWidget(CheckHulplijnenXas);

  GroepYas = new QGroupBox("Y-as", column);
  GroepYas->setObjectName("GroepYas");
  auto* y = new QVBoxLayout(GroepYas);
  ListBoxY = MakeList("ListBoxY", values, 8, GroepYas);
  CheckHulplijnenYas = MakeCheckBox("CheckHulplijnenYas", "Hulplijn", GroepYas);
  y->addWidget(ListBoxY);
  y->addWidget(CheckHulplijnenYas);

  LabelBron = new QLabel("Bron", column);
  LabelBron->setObjectName("LabelBron");
  ComboBoxBron = new QComboBox(column);
  ComboBoxBron->setObjectName("ComboBoxBron");
  ComboBoxBron->addItems(kLaidOutSources);
  LabelBron->setBuddy(ComboBoxBron);
  CheckBoxAutoScroll = MakeCheckBox("CheckBoxAutoScroll", "Autoscroll", column);
  CmdStartLog = MakeButton("CmdStartLog", "Start Log", column);
  CmdStopLog = MakeButton("CmdStopLog", "Stop Log", column);
  CmdExport = MakeButton("CmdExport", kLaidOutExport, column);

  for (QWidget* w : std::initializer_list<QWidget*>{GroepXas, GroepYas, LabelBron, ComboBoxBron, CheckBoxAutoScroll,
                                                    CmdStartLog, CmdStopLog})
    layout->addWidget(w);
  layout->addSpacing(12);
  layout->addWidget(CmdExport);
  layout->addStretch(1);
  column->setFixedWidth(170);

  connect(ListBoxX, &QListWidget::currentRowChanged, this, [this] { TekenGrafiek(); });
  connect(ListBoxY, &QListWidget::currentRowChanged, this, [this] { TekenGrafiek(); });
  for (QCheckBox* box : {CheckHulplijnenXas, CheckHulplijnenYas, CheckBoxAutoScroll})
    connect(box, &QCheckBox::toggled, this, [this] { TekenGrafiek(); });
  connect(ComboBoxBron, &QComboBox::currentIndexChanged, this, [this] { ComboBoxBronChange(); });
  connect(CmdStartLog, &QPushButton::clicked, this, [this] { CmdStartLogClick(); });
  connect(CmdStopLog, &QPushButton::clicked, this, [this] { CmdStopLogClick(); });
  connect(CmdExport, &QPushButton::clicked, this, [this] { CmdExportClick(); });
  return column;
}

void TFormGrafiek::FormActivate() {
  texts_.Apply(*this);
  const TGlobalVar& g = GlobalVar();
  // Closing ended any recording; the lists are usable again.
  running_ = false;
  CmdStartLog->setEnabled(PortOpen());
  CmdStopLog->setEnabled(false);
  ComboBoxBron->setEnabled(true);
  ListBoxX->setCurrentRow(StoredIndexOrFirst(g.X_Div, kTimeScaleCount));
  ListBoxY->setCurrentRow(StoredIndexOrFirst(g.Y_Div, kValueScaleCount));
  ComboBoxBron->setCurrentIndex(StoredIndexOrFirst(g.BronItem, ComboBoxBron->count()));
  ComboBoxBronChange();
  CheckHulplijnenXas->setChecked(g.X_hulplijn);
  CheckHulplijnenYas->setChecked(g.Y_hulplijn);
  Gauge1->setMaximum(kLastLogIndex);
  Gauge1->setValue(0);
  UpdateExport();
  TekenGrafiek();
}

void TFormGrafiek::reject() {
  TGlobalVar& g = GlobalVar();
  g.X_Div = TimeScaleIndex();
  g.Y_Div = ValueScaleIndex();
  g.BronItem = StoredIndexOrFirst(ComboBoxBron->currentIndex(), ComboBoxBron->count());
  g.X_hulplijn = CheckHulplijnenXas->isChecked();
  g.Y_hulplijn = CheckHulplijnenYas->isChecked();
  QL200LeesLogData.SetCyclic(false);
  if (running_) EndRecording(kTextStopped, false);
  TWindowBase::reject();
}

void TFormGrafiek::CmdStartLogClick() {
  recording_.Start();
  Gauge1->reset();
  recordedSource_ = Source();
  QL200LeesLogData.ASCIIProtocol = GraphSourceAt(recordedSource_).command;
  CmdStartLog->setEnabled(false);
  ComboBoxBron->setEnabled(false);
  CmdStopLog->setEnabled(true);
  running_ = true;
  ShowStatus(kTextStarted, false);
  UpdateExport();
  TekenGrafiek();
  QL200LeesLogData.SetCyclic(true);
  // A port that closed meanwhile takes no polling: nothing would ever end it.
  if (!QL200LeesLogData.Cyclic()) EndRecording(kTextCommError, true);
}

void TFormGrafiek::CmdStopLogClick() {
  QL200LeesLogData.SetCyclic(false);
  EndRecording(kTextStopped, false);
}

void TFormGrafiek::EndRecording(int statusText, bool red) {
  running_ = false;
  CmdStartLog->setEnabled(true);
  CmdStopLog->setEnabled(false);
  ComboBoxBron->setEnabled(true);
  ListBoxY->setEnabled(ValueScaleListEnabled(Source()));
  ShowStatus(statusText, red);
  UpdateExport();
}

void TFormGrafiek::ComboBoxBronChange() {
  const int source = Source();
  const int forced = GraphSourceAt(source).forcedValueScaleIndex;
  if (forced >= 0) ListBoxY->setCurrentRow(forced);
  ListBoxY->setEnabled(ValueScaleListEnabled(source));
  TekenGrafiek();
}

void TFormGrafiek::QL200LeesLogDataCommResult(const ResultBytes& reply) {
  // The exchange under way when the recording ended still answers; the
  // recording stays as it was stopped.
  if (!running_) return;
  const auto value = PollReplyValue(reply, GraphSourceAt(recordedSource_).command);
  const SampleOutcome outcome = recording_.AddSample(value, clock_());
  if (outcome == SampleOutcome::Ignored) return;
  Gauge1->setValue(recording_.LogCount());
  if (outcome == SampleOutcome::BufferFull) {
    QL200LeesLogData.SetCyclic(false);
    EndRecording(kTextBufferFull, false);
  }
  TekenGrafiek();
  LabelBufferCount->setText(Q(recording_.BufferTimeText()));
}

void TFormGrafiek::QL200LeesLogDataCommError(const TCommError& error) {
  const auto text = GraphErrorStatusIndex(error);
  if (!text || !running_) return;  // the all-clear record, or after the end
  QL200LeesLogData.SetCyclic(false);
  EndRecording(*text == 0 ? kTextTimeOut : kTextCommError, true);
}

void TFormGrafiek::ShowStatus(int statusText, bool red) {
  PanelCommError->setText(GlobalVar().LanguageLoaded ? texts_.Stored(kStatusKeys[statusText]) : QString());
  QPalette palette;  // black: the window-text colour
  if (red) palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  PanelCommError->setPalette(palette);
}

void TFormGrafiek::TekenGrafiek() {
  // Setting the scroll bar's range may move it, which asks for this again.
  if (drawing_) return;
  drawing_ = true;
  ScrollBar2->setMaximum(ScrollMaximum(recording_));
  StripChartScene scene;
  scene.recording = &recording_;
  scene.source = Source();
  scene.timeScaleMs = TimeScaleAt(TimeScaleIndex());
  scene.valueScale = ValueScaleAt(ValueScaleIndex());
  scene.firstSample =
      FirstSampleShown(recording_, CheckBoxAutoScroll->isChecked(), running_, scene.timeScaleMs, ScrollBar2->value());
  scene.verticalGridLines = CheckHulplijnenXas->isChecked();
  scene.horizontalGridLines = CheckHulplijnenYas->isChecked();
  scene.parameters = &GlobalVar().ParameterTable;
  Chart->SetScene(scene);
  drawing_ = false;
}

void TFormGrafiek::UpdateExport() { CmdExport->setEnabled(recording_.LogCount() >= 0 && !running_); }

int TFormGrafiek::Source() const { return StoredIndexOrFirst(ComboBoxBron->currentIndex(), kGraphSourceCount); }
int TFormGrafiek::TimeScaleIndex() const { return StoredIndexOrFirst(ListBoxX->currentRow(), kTimeScaleCount); }
int TFormGrafiek::ValueScaleIndex() const { return StoredIndexOrFirst(ListBoxY->currentRow(), kValueScaleCount); }

bool TFormGrafiek::ExportTo(const QString& path, QString* error) const {
  std::string why;
  const bool saved = SaveGraphCsv(S(path), recording_, recordedSource_, GlobalVar().ParameterTable, &why);
  if (!saved && error != nullptr) *error = Q(why);
  return saved;
}

void TFormGrafiek::CmdExportClick() {
  QFileDialog dialog(this, texts_.Stored("ExportCaption"), Q(GlobalVar().OpenCloseDialoogPath));
  dialog.setObjectName("ExportDialog");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({"CSV (*.csv)", "*"});
  dialog.setDefaultSuffix("csv");
  dialog.selectFile("grafiek.csv");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  GlobalVar().OpenCloseDialoogPath = S(QFileInfo(path).absolutePath());
  QString error;
  if (!ExportTo(path, &error)) {
    QMessageBox box(QMessageBox::Warning, texts_.Stored("ExportCaption"), texts_.Stored("ExportMsg") + "\n" + error,
                    QMessageBox::Ok, this);
    box.setObjectName("ExportError");
    box.exec();
  }
}
