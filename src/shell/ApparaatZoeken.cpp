#include "shell/ApparaatZoeken.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "comm/RkComm.h"
#include "model/Global_var.h"
#include "ui/QtText.h"

TFormApparaatZoeken* FormApparaatZoeken = nullptr;

namespace {

const QColor kTriedColour(255, 255, 151);
constexpr int kColumnWidths[5] = {34, 305, 66, 48, 74};
constexpr int kGridRows = 31;  // below the header; more found devices add rows
const char* const kColumnKeys[5] = {"KolomTekst0", "KolomTekst1", "KolomTekst2", "KolomTekst3", "KolomTekst4"};
const char* const kLaidOutColumns[5] = {"Nr", "Type", "Baud", "Parity", "Stopbits"};

const std::vector<TextRow> kSearchTexts = {
    {"", "Caption", "Zoeken..."},
    {"CmdOK", "CmdOK", "OK"},
    {"CmdVerder", "CmdVerder", "Verder"},
    {"CmdStartZoeken", "CmdStart", "Start"},
    {"CmdStop", "CmdStop", "Stop"},
    {"CmdCancel", "CmdCancel", "Cancel"},
    {"LabelStartenMet", "LabelStartenMet", "Start met:"},
    {nullptr, "KolomTekst0", "tekst 0"},
    {nullptr, "KolomTekst1", "tekst 1"},
    {nullptr, "KolomTekst2", "tekst 2"},
    {nullptr, "KolomTekst3", "tekst 3"},
    {nullptr, "KolomTekst4", "tekst 4"},
    {"GroupBoxParity", "GroepParity", "Parity"},
    {"GroupBoxStopBits", "GroepStopBits", "Stopbits"},
    {"RB_parity_com", "RadioAlsCom", "COM"},
    {"RB_stopbits_com", "RadioAlsCom", "COM"},
    {"RB_parity_auto", "RadioAutoSelect", "COM"},
    {"RB_stopbits_auto", "RadioAutoSelect", "COM"},
    {nullptr, "PanelTekst0", "Zoeken.."},
    {nullptr, "PanelTekst1", "Gestopt!"},
    {nullptr, "PanelTekst2", "beeindigd!"},
    {nullptr, "PanelTekst3", "Apparaat gevonden!"},
};

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* MakePanel(const char* name, QWidget* parent, int width) {
  auto* panel = Named(new QLabel(parent), name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setAutoFillBackground(true);
  panel->setMinimumHeight(22);
  if (width > 0) panel->setFixedWidth(width);
  return panel;
}

void Light(QLabel* panel, bool lit) {
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, lit ? kTriedColour : panel->palette().color(QPalette::Button));
  panel->setPalette(p);
}

}  // namespace

TFormApparaatZoeken::TFormApparaatZoeken(QWidget* parent)
    : TWindowBase(parent, "FormApparaatZoeken", "FormApparaatZoeken"), texts_("AparaatZoeken", kSearchTexts) {
  PausePollingWhileShown();
  BuildControls();
  WireSearch();
}

void TFormApparaatZoeken::WireSearch() {
  search_ = std::make_unique<DeviceSearchRun>(Port());
  // The port's owner opens it, so that a refusal is shown as everywhere
  // else and its controls follow the port.
  search_->OpenPort = [this] { return SetPortActive && SetPortActive(true); };
  search_->OnProbe = [this](const SearchProbe& probe) {
    ShowStatus("PanelTekst0");
    ShowProbe(probe);
  };
  search_->OnFound = [this](const SearchProbe& probe, const std::array<std::string, 3>& texts) {
    ListFoundDevice(probe, JoinTypeTexts(texts[0], texts[1], texts[2]));
  };
  search_->OnStopped = [this] { Stopped(); };
  search_->OnFinished = [this] { Finished(); };
  search_->OnSettingRefused = [this](const std::string& why) { SettingRefused(why); };
  // Not from inside the port's close: the box runs its own event loop.
  search_->OnAborted = [this] { QTimer::singleShot(0, this, [this] { ExchangeAborted(); }); };
}

// --- Layout ---------------------------------------------------------------

void TFormApparaatZoeken::BuildControls() {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  StringGrid1 = Named(new QTableWidget(kGridRows, 5, this), "StringGrid1");
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->verticalHeader()->setVisible(false);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int gridWidth = 2 * StringGrid1->frameWidth() + StringGrid1->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < 5; ++c) {
    StringGrid1->setColumnWidth(c, kColumnWidths[c]);
    gridWidth += kColumnWidths[c];
  }
  StringGrid1->setHorizontalHeaderLabels({kLaidOutColumns[0], kLaidOutColumns[1], kLaidOutColumns[2],
                                          kLaidOutColumns[3], kLaidOutColumns[4]});
  StringGrid1->setFixedWidth(gridWidth);
  StringGrid1->setMinimumHeight(StringGrid1->horizontalHeader()->sizeHint().height() +
                                8 * StringGrid1->verticalHeader()->defaultSectionSize() + 4);
  connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { CmdOKClick(); });
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(BuildSettingsRow());
  layout->addWidget(BuildProgressRow());
  layout->addWidget(BuildButtonRow());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TFormApparaatZoeken::BuildSettingsRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* start = new QVBoxLayout;
  auto* label = Named(new QLabel("Start met:", row), "LabelStartenMet");
  ComboBaudRate = Named(new QComboBox(row), "ComboBaudRate");
  for (const char* rate : {"9600 b/s", "19200 b/s", "28800 b/s", "38400 b/s", "57600 b/s"}) ComboBaudRate->addItem(rate);
  label->setBuddy(ComboBaudRate);
  start->addWidget(label);
  start->addWidget(ComboBaudRate);
  start->addStretch(1);
  layout->addLayout(start);

  // A radio pair (keep the port's setting / try all) and the panels of the
  // values that are tried.
  auto group = [&](const char* name, const char* title, const char* comName, const char* autoName,
                   QRadioButton*& com, QRadioButton*& automatic, QLabel** panels,
                   std::initializer_list<std::pair<const char*, const char*>> panelNames) {
    auto* box = Named(new QGroupBox(title, row), name);
    auto* grid = new QGridLayout(box);
    com = Named(new QRadioButton("als COM", box), comName);
    automatic = Named(new QRadioButton("auto wisselen", box), autoName);
    com->setChecked(true);
    grid->addWidget(com, 0, 0);
    grid->addWidget(automatic, 1, 0);
    auto* lights = new QHBoxLayout;
    int i = 0;
    for (const auto& [panelName, caption] : panelNames) {
      panels[i] = MakePanel(panelName, box, 24);
      panels[i]->setText(caption);
      lights->addWidget(panels[i++]);
    }
    lights->addStretch(1);
    grid->addLayout(lights, 0, 1, 2, 1);
    layout->addWidget(box, 1);
  };
  group("GroupBoxParity", "Parity", "RB_parity_com", "RB_parity_auto", RB_parity_com, RB_parity_auto,
        ParityPanels.data(), {{"Panel_parity_N", "N"}, {"Panel_parity_O", "O"}, {"Panel_parity_E", "E"}});
  group("GroupBoxStopBits", "aantal stop bits", "RB_stopbits_com", "RB_stopbits_auto", RB_stopbits_com,
        RB_stopbits_auto, StopBitsPanels.data(), {{"Panel_stopbits_1", "1"}, {"Panel_stopbits_2", "2"}});
  return row;
}

// What is being tried, and the search's status on a line of its own, so
// that its longest text fits.
QWidget* TFormApparaatZoeken::BuildProgressRow() {
  auto* rows = new QWidget(this);
  auto* layout = new QVBoxLayout(rows);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* tried = new QHBoxLayout;
  PanelBaudtare = MakePanel("PanelBaudtare", rows, 100);
  PanelBaudtare->setAccessibleDescription("Baud rate being tried");
  PanelApparaatNo = MakePanel("PanelApparaatNo", rows, 36);
  PanelApparaatNo->setAccessibleDescription("Unit number being tried");
  Gauge1 = Named(new QProgressBar(rows), "Gauge1");
  Gauge1->setRange(0, kSearchLastUnit);
  Gauge1->setTextVisible(false);
  Gauge1->setAccessibleName("Unit number being tried");
  tried->addWidget(PanelBaudtare);
  tried->addWidget(PanelApparaatNo);
  tried->addWidget(Gauge1, 1);
  layout->addLayout(tried);
  PanelZoekTekst = MakePanel("PanelZoekTekst", rows, 0);
  QFont bold = PanelZoekTekst->font();
  bold.setBold(true);
  PanelZoekTekst->setFont(bold);
  layout->addWidget(PanelZoekTekst);
  return rows;
}

QWidget* TFormApparaatZoeken::BuildButtonRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto button = [&](const char* name, const char* caption, void (TFormApparaatZoeken::*handler)()) {
    auto* b = Named(new QPushButton(caption, row), name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, handler);
    layout->addWidget(b);
    return b;
  };
  CmdStartZoeken = button("CmdStartZoeken", "Stat", &TFormApparaatZoeken::CmdStartZoekenClick);
  CmdStop = button("CmdStop", "Stop", &TFormApparaatZoeken::CmdStopClick);
  CmdVerder = button("CmdVerder", "Verder", &TFormApparaatZoeken::CmdVerderClick);
  layout->addStretch(1);
  CmdOK = button("CmdOK", "OK", &TFormApparaatZoeken::CmdOKClick);
  CmdCancel = button("CmdCancel", "Cancel", &TFormApparaatZoeken::reject);
  return row;
}

// --- Texts and display ------------------------------------------------------

void TFormApparaatZoeken::ApplyColumnTexts() {
  QStringList headers;
  for (const char* key : kColumnKeys) headers << texts_.Stored(key);
  StringGrid1->setHorizontalHeaderLabels(headers);
}

// Without a language file the status texts are empty.
void TFormApparaatZoeken::ShowStatus(const char* key) {
  PanelZoekTekst->setText(GlobalVar().LanguageLoaded ? texts_.Stored(key) : QString());
}

void TFormApparaatZoeken::ClearGrid() {
  StringGrid1->clearContents();
  StringGrid1->setRowCount(kGridRows);
  // The first row is the selected one until the user picks another.
  StringGrid1->setCurrentCell(0, 0);
}

void TFormApparaatZoeken::ClearIndicators() {
  for (QLabel* panel : ParityPanels) Light(panel, false);
  for (QLabel* panel : StopBitsPanels) Light(panel, false);
}

void TFormApparaatZoeken::ShowProbe(const SearchProbe& probe) {
  PanelBaudtare->setText(Q(BaudrateDisplayText(probe.baudrate)));
  PanelApparaatNo->setText(QString::number(probe.unit));
  Gauge1->setValue(probe.unit);
  Light(ParityPanels[0], probe.parity == TParityBit::None);
  Light(ParityPanels[1], probe.parity == TParityBit::Odd);
  Light(ParityPanels[2], probe.parity == TParityBit::Even);
  Light(StopBitsPanels[0], probe.stopBits == TStopBit::sb_1);
  Light(StopBitsPanels[1], probe.stopBits == TStopBit::sb_2);
}

// The start rate, the radio buttons and Start: what a new search is made of.
void TFormApparaatZoeken::EnableChoice(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{ComboBaudRate, RB_parity_com, RB_parity_auto, RB_stopbits_com,
                                                    RB_stopbits_auto, CmdStartZoeken})
    w->setEnabled(enabled);
}

// --- Activation and buttons ---------------------------------------------------

void TFormApparaatZoeken::FormActivate() {
  if (texts_.Apply(*this)) ApplyColumnTexts();
  TRkComm& port = Port();
  savedBaudrate_ = port.Baudrate();
  savedParity_ = port.FrameParitybit();
  savedStopBits_ = port.FrameStopbits();
  CmdOK->setEnabled(false);
  ComboBaudRate->setCurrentIndex(0);
  EnableChoice(true);
  CmdStop->setEnabled(false);
  CmdVerder->setEnabled(false);
  search_->Halt();
  ending_ = Ending::None;
  CmdCancel->setEnabled(true);
  ClearGrid();
  PanelBaudtare->clear();
  PanelApparaatNo->clear();
  PanelZoekTekst->clear();
  Gauge1->reset();
  ClearIndicators();
}

void TFormApparaatZoeken::CmdStartZoekenClick() {
  ClearGrid();
  CmdStop->setEnabled(true);
  StartSearch();
}

void TFormApparaatZoeken::CmdStopClick() { search_->RequestStop(); }

void TFormApparaatZoeken::CmdVerderClick() {
  CmdVerder->setEnabled(false);
  EnableChoice(false);
  ShowStatus("PanelTekst0");
  search_->Continue();
}

void TFormApparaatZoeken::CmdOKClick() {
  if (ending_ != Ending::None) return;
  const int row = StringGrid1->currentRow();
  if (row < 0) return;
  auto cell = [&](int column) {
    const QTableWidgetItem* item = StringGrid1->item(row, column);
    return item != nullptr ? S(item->text()) : std::string();
  };
  const std::optional<DeviceChoice> choice = ChoiceFromRow({cell(0), cell(1), cell(2), cell(3), cell(4)});
  if (!choice) return;
  const TRkComm& port = Port();
  const SearchFraming next{choice->baudrate.value_or(port.Baudrate()), choice->parity.value_or(port.FrameParitybit()),
                           choice->stopBits.value_or(port.FrameStopbits())};
  EndWindow(Ending::Ok, next, choice);
}

void TFormApparaatZoeken::reject() {
  if (ending_ != Ending::None) return;
  EndWindow(Ending::Cancel, {savedBaudrate_, savedParity_, savedStopBits_}, std::nullopt);
}

// OK and Cancel first deselect the units the search left selected at other
// framings than the one the port goes on with (they would answer its
// traffic with stray bytes), after the exchange under way, if any, has ended.
void TFormApparaatZoeken::EndWindow(Ending ending, const SearchFraming& next, std::optional<DeviceChoice> choice) {
  ending_ = ending;
  choice_ = std::move(choice);
  for (QPushButton* b : {CmdOK, CmdVerder, CmdStartZoeken, CmdStop, CmdCancel}) b->setEnabled(false);
  search_->End(next, [this] { FinishEnding(); });
}

void TFormApparaatZoeken::FinishEnding() {
  const Ending ending = std::exchange(ending_, Ending::None);
  if (!ClosePort()) {
    // The port's message has been shown; the user can try again.
    CmdOK->setEnabled(true);
    CmdCancel->setEnabled(true);
    return;
  }
  TRkComm& port = Port();
  if (ending == Ending::Cancel) {
    port.SetBaudrate(savedBaudrate_);
    port.SetFrameParitybit(savedParity_);
    port.SetFrameStopbits(savedStopBits_);
    TWindowBase::reject();
    return;
  }
  if (choice_->unit && UnitChosen) UnitChosen(*choice_->unit);
  if (choice_->baudrate) port.SetBaudrate(*choice_->baudrate);
  if (choice_->parity) port.SetFrameParitybit(*choice_->parity);
  if (choice_->stopBits) port.SetFrameStopbits(*choice_->stopBits);
  accept();
}

// Closing the port ourselves cuts the outstanding exchange short on
// purpose: that is no aborted search.
bool TFormApparaatZoeken::ClosePort() {
  search_->Halt();
  if (!PortOpen()) return true;
  return SetPortActive && SetPortActive(false);
}

// --- The search -------------------------------------------------------------

void TFormApparaatZoeken::StartSearch() {
  EnableChoice(false);
  nextRow_ = 1;
  Gauge1->setMaximum(kSearchLastUnit);
  ShowStatus("PanelTekst0");
  if (search_->Start({SearchRates(ComboBaudRate->currentIndex()), RB_parity_auto->isChecked(), RB_stopbits_auto->isChecked(), savedParity_, savedStopBits_}))
    return;
  // A refused setting has said so; a port that did not open has shown its
  // message. The search can be started again.
  EnableChoice(true);
  CmdStop->setEnabled(false);
  if (!PortOpen()) PanelZoekTekst->clear();
}

void TFormApparaatZoeken::SettingRefused(const std::string& why) {
  QMessageBox box(QMessageBox::Critical, windowTitle(), Q(why), QMessageBox::Ok, this);
  box.setObjectName("PortSettingFailure");
  box.exec();
  Stopped();
}

// The port was closed under the search: said once; the search can be
// started again (which opens the port).
void TFormApparaatZoeken::ExchangeAborted() {
  QMessageBox box(QMessageBox::NoIcon, "Comm Error", "Windows Comm error! ", QMessageBox::Ok, this);
  box.setObjectName("CommError");
  box.exec();
  if (ending_ != Ending::None) return;
  EnableChoice(true);
  CmdStop->setEnabled(false);
  CmdVerder->setEnabled(false);
}

void TFormApparaatZoeken::ListFoundDevice(const SearchProbe& probe, const std::string& typeText) {
  const FoundDeviceRow row = MakeFoundDeviceRow(probe, typeText);
  const int r = nextRow_ - 1;
  if (r >= StringGrid1->rowCount()) StringGrid1->setRowCount(r + 1);
  const std::string* cells[5] = {&row.unit, &row.typeText, &row.baudrate, &row.parity, &row.stopBits};
  for (int c = 0; c < 5; ++c) StringGrid1->setItem(r, c, new QTableWidgetItem(Q(*cells[c])));
  StringGrid1->scrollToItem(StringGrid1->item(r, 0));
  ++nextRow_;
  ShowStatus("PanelTekst3");
  CmdOK->setEnabled(true);
  EnableChoice(true);
  CmdVerder->setEnabled(true);
}

void TFormApparaatZoeken::Stopped() {
  ShowStatus("PanelTekst1");
  EnableChoice(true);
  CmdVerder->setEnabled(true);
}

void TFormApparaatZoeken::Finished() {
  ShowStatus("PanelTekst2");
  EnableChoice(true);
  CmdStop->setEnabled(false);
  CmdVerder->setEnabled(false);
}
