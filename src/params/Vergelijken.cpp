#include "params/Vergelijken.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "model/Catalogue.h"
#include "model/FileDialogFilter.h"
#include "model/LanguageTexts.h"
#include "model/MessageText.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "ui/FileDialogs.h"
#include "ui/PushButton.h"
#include "ui/QtText.h"
#include "ui/WindowLinks.h"

TFormVergelijken* FormVergelijken = nullptr;

namespace {

constexpr const char* kSection = "Vergelijken";
constexpr int kColumnWidths[] = {80, 44, 230, 110, 110};
constexpr int kColumnCount = 5;
constexpr int kValueColumns[] = {3, 4};
constexpr int kVisibleRows = 16;
constexpr int kRowRole = Qt::UserRole;
constexpr const char* kFilter = "Parameterbestand of backup|*.vqp;*.bak";

const std::vector<TextRow> kCompareTexts = {
    {"", "Caption", "Vergelijken"},
    {"LabelBron", "LabelBron", "Vergelijken met:"},
    {"ComboBron", "BronItems", "Apparaat,Bestand...,Standaardwaarden", TextRow::Kind::List},
    {"CmdVergelijk", "CmdVergelijk", "Vergelijken"},
    {"CheckAlleenVerschillen", "CheckAlleenVerschillen", "Alleen verschillen"},
    {"CmdOvernemen", "CmdOvernemen", "Overnemen"},
    {"CmdZenden", "CmdZenden", "Zenden"},
    {"CmdSluiten", "CmdSluiten", "Sluiten"},
    {nullptr, "KolomPos", "Pos."},
    {nullptr, "KolomNr", "Nr"},
    {nullptr, "KolomNaam", "Naam"},
    {nullptr, "KolomEditor", "Editor"},
    {nullptr, "KolomBron", "Bron"},
    {nullptr, "TekstVergeleken", "vergeleken"},
    {nullptr, "TekstVerschillend", "verschillend"},
    {nullptr, "TekstGelijk", "gelijk"},
    {nullptr, "Msg_EenheidBron", "Let op: de vergeleken waarden zijn van eenheid"},
    {nullptr, "Msg_EenheidEditor", "het geopende apparaat is eenheid"},
    {nullptr, "Msg_AnderType", "Let op: de vergeleken waarden komen van een ander apparaattype."},
    {nullptr, "Msg_BuitenGrenzen",
     "Rode waarden liggen buiten hun grenzen: vink die rijen uit om over te nemen of te zenden."},
    {nullptr, "OpenCaption", "Bestand om mee te vergelijken"},
    {nullptr, "OpenFilter", kFilter},
};
constexpr const char* kColumnKeys[] = {"KolomPos", "KolomNr", "KolomNaam", "KolomEditor", "KolomBron"};

int UnitNumber() { return Links().main != nullptr ? Links().main->UnitNumber() : 0; }

int SourceFlag(CompareSource source) {
  switch (source) {
    case CompareSource::Device: return psDevice;
    case CompareSource::Defaults: return psDefaults;
    case CompareSource::File:
    case CompareSource::Tables: break;
  }
  return psFile;
}

}  // namespace

TFormVergelijken::TFormVergelijken(QWidget* parent)
    : TWindowBase(parent, "FormVergelijken", "Vergelijken"), texts_(kSection, kCompareTexts) {
  auto* layout = new QVBoxLayout(this);
  auto* source = new QHBoxLayout;
  LabelBron = new QLabel("Vergelijken met:", this);
  LabelBron->setObjectName("LabelBron");
  ComboBron = new QComboBox(this);
  ComboBron->setObjectName("ComboBron");
  ComboBron->addItems({"Apparaat", "Bestand...", "Standaardwaarden"});
  LabelBron->setBuddy(ComboBron);
  CmdVergelijk = NewPushButton(this, "CmdVergelijk", "Vergelijken");
  source->addWidget(LabelBron);
  source->addWidget(ComboBron);
  source->addWidget(CmdVergelijk);
  source->addStretch(1);
  layout->addLayout(source);

  LabelBronNaam = new QLabel(this);
  LabelBronNaam->setObjectName("LabelBronNaam");
  LabelBronNaam->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(LabelBronNaam);
  LabelWaarschuwing = new QLabel(this);
  LabelWaarschuwing->setObjectName("LabelWaarschuwing");
  LabelWaarschuwing->setWordWrap(true);
  QPalette warning = LabelWaarschuwing->palette();
  warning.setColor(QPalette::WindowText, Qt::red);
  LabelWaarschuwing->setPalette(warning);
  layout->addWidget(LabelWaarschuwing);

  CheckAlleenVerschillen = new QCheckBox("Alleen verschillen", this);
  CheckAlleenVerschillen->setObjectName("CheckAlleenVerschillen");
  CheckAlleenVerschillen->setChecked(true);
  layout->addWidget(CheckAlleenVerschillen);

  GridVergelijk = new QTableWidget(0, kColumnCount, this);
  GridVergelijk->setObjectName("GridVergelijk");
  GridVergelijk->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GridVergelijk->setSelectionBehavior(QAbstractItemView::SelectRows);
  GridVergelijk->setSelectionMode(QAbstractItemView::SingleSelection);
  GridVergelijk->setWordWrap(false);
  GridVergelijk->verticalHeader()->hide();
  GridVergelijk->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  GridVergelijk->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  GridVergelijk->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int width = 0;
  for (int c = 0; c < kColumnCount; ++c) {
    GridVergelijk->setColumnWidth(c, kColumnWidths[c]);
    width += kColumnWidths[c];
  }
  GridVergelijk->horizontalHeader()->setStretchLastSection(true);
  const int frame = 2 * GridVergelijk->frameWidth();
  GridVergelijk->setFixedSize(width + frame + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                              GridVergelijk->horizontalHeader()->sizeHint().height() +
                                  kVisibleRows * GridVergelijk->verticalHeader()->defaultSectionSize() + frame);
  layout->addWidget(GridVergelijk);
  LabelAantallen = new QLabel(this);
  LabelAantallen->setObjectName("LabelAantallen");
  layout->addWidget(LabelAantallen);

  auto* buttons = new QHBoxLayout;
  CmdOvernemen = NewPushButton(this, "CmdOvernemen", "Overnemen");
  CmdZenden = NewPushButton(this, "CmdZenden", "Zenden");
  CmdSluiten = NewPushButton(this, "CmdSluiten", "Sluiten");
  buttons->addWidget(CmdOvernemen);
  buttons->addWidget(CmdZenden);
  buttons->addStretch(1);
  buttons->addWidget(CmdSluiten);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ComboBron, &QComboBox::currentIndexChanged, this, [this] { UpdateState(); });
  connect(CmdVergelijk, &QPushButton::clicked, this, [this] { CmdVergelijkClick(); });
  connect(CheckAlleenVerschillen, &QCheckBox::toggled, this, [this] { FillGrid(); });
  connect(GridVergelijk, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { GridItemChanged(item); });
  connect(CmdOvernemen, &QPushButton::clicked, this, [this] { CmdOvernemenClick(); });
  connect(CmdZenden, &QPushButton::clicked, this, [this] { CmdZendenClick(); });
  connect(CmdSluiten, &QPushButton::clicked, this, [this] { accept(); });
}

void TFormVergelijken::FormActivate() {
  texts_.Apply(*this);
  QStringList titles;
  for (const char* key : kColumnKeys) titles << texts_.Stored(key);
  GridVergelijk->setHorizontalHeaderLabels(titles);
  ComboBron->setCurrentIndex(PortOpen() ? SourceDevice : SourceFile);
  CompareWith(std::nullopt);
}

QString TFormVergelijken::Message(const char* section, const char* key, const char* fallback) const {
  return Q(GlobalVar().LanguageLoaded ? Tekst(section, key, fallback) : fallback);
}

void TFormVergelijken::ShowError(const QString& text) {
  const QString caption = Message(kEditParamSection, "Msg_ErrorCaption", "Fout");
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, this);
  box.setObjectName("CompareError");
  box.exec();
}

// --- Choosing and comparing ----------------------------------------------------

void TFormVergelijken::CmdVergelijkClick() {
  switch (ComboBron->currentIndex()) {
    case SourceDevice: CompareWith(ReadDeviceSide()); return;
    case SourceFile:
      if (std::optional<CompareSide> file = ChooseFileSide()) CompareWith(std::move(file));
      return;
    case SourceDefaults:
      if (!GlobalVar().CatalogueLoaded) {
        ShowError(Message(kEditParamSection, "msg_ErrorSetDefaultPar", "Parameters.txt ontbreekt."));
        return;
      }
      sourceName_ = ComboBron->currentText();
      CompareWith(DefaultsSide(GlobalVar().ParameterCatalogue));
      return;
  }
}

// A read that does not finish compares nothing: no part of a table is
// shown as the device's.
std::optional<CompareSide> TFormVergelijken::ReadDeviceSide() {
  if (FormLeesParSoll == nullptr) return std::nullopt;
  FormLeesParSoll->Mode = kTransferParameters;
  if (FormLeesParSoll->exec() != QDialog::Accepted) return std::nullopt;
  CompareSide device;
  device.source = CompareSource::Device;
  device.content.parameters = FormLeesParSoll->ReceivedParameters;
  device.unit = UnitNumber();
  device.deviceType = GlobalVar().DeviceType;
  sourceName_ = Q(GlobalVar().DeviceType);
  return device;
}

std::optional<CompareSide> TFormVergelijken::ChooseFileSide() {
  const QString filter = Q(DialogFilter(S(texts_.Stored("OpenFilter"))));
  const QString file = ChooseFile(this, FileChoice::Open, texts_.Stored("OpenCaption"), filter, "vqp");
  if (file.isEmpty()) return std::nullopt;
  CompareFileRead read = LoadCompareFile(S(file));
  // A setpoint file holds no parameters to compare with.
  if (read.Loaded() && !read.side.parameters) read.outcome = ValueFileOutcome::WrongHeader;
  if (!read.Loaded()) {
    ShowError(Message(kEditParamSection, OpenMessageKey(read.outcome), "Het bestand kan niet worden gelezen.") +
              (read.systemText.empty() ? QString() : "\n" + Q(read.systemText)));
    return std::nullopt;
  }
  sourceName_ = file;
  return std::move(read.side);
}

void TFormVergelijken::CompareWith(std::optional<CompareSide> side) {
  sideB_ = std::move(side);
  if (!sideB_) sourceName_.clear();
  Recompare();
}

void TFormVergelijken::Recompare() {
  comparison_ = {};
  if (sideB_) {
    CompareSide tables;
    tables.content.parameters = GlobalVar().ParameterTable;
    tables.unit = UnitNumber();
    comparison_ = Compare(tables, *sideB_, EditorCataloguesOf(GlobalVar()));
  }
  checked_.assign(comparison_.rows.size(), false);
  for (std::size_t i = 0; i < checked_.size(); ++i) checked_[i] = comparison_.rows[i].differs;
  LabelBronNaam->setText(sourceName_);
  FillGrid();
}

// --- The grid ---------------------------------------------------------------------

void TFormVergelijken::FillGrid() {
  filling_ = true;
  GridVergelijk->setRowCount(0);
  const bool onlyDifferences = CheckAlleenVerschillen->isChecked();
  for (std::size_t i = 0; i < comparison_.rows.size(); ++i) {
    const ComparisonRow& row = comparison_.rows[i];
    if (onlyDifferences && !row.differs) continue;
    const int r = GridVergelijk->rowCount();
    GridVergelijk->insertRow(r);
    const QString cells[] = {Q(row.position), Q(row.number), Q(row.name), Q(row.a), Q(row.b)};
    for (int c = 0; c < kColumnCount; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      const bool value = c == kValueColumns[0] || c == kValueColumns[1];
      if (value) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if ((c == kValueColumns[0] && row.aOutsideLimits) || (c == kValueColumns[1] && row.bOutsideLimits))
        item->setForeground(Qt::red);
      GridVergelijk->setItem(r, c, item);
    }
    QTableWidgetItem* first = GridVergelijk->item(r, 0);
    first->setData(kRowRole, static_cast<int>(i));
    if (row.differs) {
      first->setFlags(first->flags() | Qt::ItemIsUserCheckable);
      first->setCheckState(checked_[i] ? Qt::Checked : Qt::Unchecked);
    }
  }
  filling_ = false;
  UpdateState();
}

void TFormVergelijken::GridItemChanged(QTableWidgetItem* item) {
  if (filling_ || item->column() != 0 || !item->data(kRowRole).isValid()) return;
  const auto index = static_cast<std::size_t>(item->data(kRowRole).toInt());
  if (index < checked_.size()) checked_[index] = item->checkState() == Qt::Checked;
  UpdateState();
}

void TFormVergelijken::UpdateState() {
  CmdVergelijk->setEnabled(ComboBron->currentIndex() != SourceDevice || PortOpen());
  const Comparison& c = comparison_;
  LabelAantallen->setText(sideB_ ? QString("%1 %2, %3 %4, %5 %6")
                                       .arg(c.compared)
                                       .arg(texts_.Stored("TekstVergeleken"))
                                       .arg(c.different)
                                       .arg(texts_.Stored("TekstVerschillend"))
                                       .arg(c.equal)
                                       .arg(texts_.Stored("TekstGelijk"))
                                 : QString());
  QStringList warnings;
  if (c.otherUnit)
    warnings << QString("%1 %2; %3 %4.")
                    .arg(texts_.Stored("Msg_EenheidBron"))
                    .arg(sideB_->unit.value_or(0))
                    .arg(texts_.Stored("Msg_EenheidEditor"))
                    .arg(UnitNumber());
  if (c.otherType) warnings << texts_.Stored("Msg_AnderType");
  if (std::any_of(c.rows.begin(), c.rows.end(),
                  [](const ComparisonRow& r) { return r.differs && (r.aOutsideLimits || r.bOutsideLimits); }))
    warnings << texts_.Stored("Msg_BuitenGrenzen");
  LabelWaarschuwing->setText(warnings.join("\n"));
  LabelWaarschuwing->setVisible(!warnings.isEmpty());

  const bool any = !CheckedItems(c, checked_).empty();
  CmdOvernemen->setEnabled(sideB_ && any && !CheckedOutsideLimits(c, checked_, false));
  CmdZenden->setEnabled(sideB_ && sideB_->source == CompareSource::Device && PortOpen() && any &&
                        !CheckedOutsideLimits(c, checked_, true));
}

// --- Take over and send -------------------------------------------------------------

void TFormVergelijken::CmdOvernemenClick() {
  if (!sideB_ || CheckedOutsideLimits(comparison_, checked_, false)) return;
  TGlobalVar& g = GlobalVar();
  for (const TransferStep& item : CheckedItems(comparison_, checked_)) {
    const auto n = static_cast<std::size_t>(item.number);
    g.ParameterTable[n] = sideB_->content.parameters[n];
  }
  g.ParameterSource = SourceFlag(sideB_->source);
  if (Links().main != nullptr) Links().main->RefreshFunctionTexts();
  Recompare();
}

// Only the checked values go, then "bp". Afterwards the device's side holds
// what was sent, or what a check read back; a run that did not finish
// leaves the device unknown, so nothing is shown as its until compared again.
void TFormVergelijken::CmdZendenClick() {
  const std::vector<TransferStep> items = CheckedItems(comparison_, checked_);
  if (FormSchrijfParSoll == nullptr || !sideB_ || items.empty() || CheckedOutsideLimits(comparison_, checked_, true))
    return;
  TGlobalVar& g = GlobalVar();
  FormSchrijfParSoll->Mode = kTransferParameters;
  FormSchrijfParSoll->SendParameters = g.ParameterTable;
  FormSchrijfParSoll->ChosenSteps = WriteStepsFor(items, true);
  if (FormSchrijfParSoll->exec() != QDialog::Accepted) {
    CompareWith(std::nullopt);
    return;
  }
  for (const TransferStep& item : items) {
    const auto n = static_cast<std::size_t>(item.number);
    sideB_->content.parameters[n] = g.ParameterTable[n];
  }
  for (const HeldOtherwise& held : FormSchrijfParSoll->LastHeldOtherwise())
    if (held.item.phase == TransferPhase::Parameters)
      sideB_->content.parameters[static_cast<std::size_t>(held.item.number)] = held.held;
  Recompare();
}
