#include "params/SchrijfParSoll.h"

#include <QHeaderView>
#include <algorithm>
#include <QLayout>
#include <QTableWidget>

#include "model/ParameterComparison.h"
#include "ui/QtText.h"

TFormSchrijfParSoll* FormSchrijfParSoll = nullptr;

namespace {

constexpr int kPanelTexts = 15;
constexpr int kGridHeight = 140;
constexpr int kFirstValueColumn = 2;
constexpr std::array<const char*, 4> kColumnKeys = {"KolomNr", "KolomNaam", "KolomGeschreven", "KolomApparaat"};
constexpr std::array<const char*, 4> kColumnDefaults = {"Nr", "Naam", "Geschreven", "Apparaat"};

std::vector<TextRow> WriteTexts() {
  std::vector<TextRow> rows =
      TransferTextRows({"Schrijf Param", "Schrijf Sollw", "Schrijf Param en sollw", "Schrijf Apparaat"}, kPanelTexts);
  for (std::size_t c = 0; c < kColumnKeys.size(); ++c) rows.push_back({nullptr, kColumnKeys[c], kColumnDefaults[c]});
  return rows;
}

}  // namespace

TFormSchrijfParSoll::TFormSchrijfParSoll(QWidget* parent)
    : TransferWindow(parent, "FormSchrijfParSoll", "SchrijfParSoll", WriteTexts()) {
  Wire(QL200SchrijfParSoll, kWriteReplyTimeoutMs, {}, {});
  Wire(QL200BerekenParameters, kComputeReplyTimeoutMs, {}, {});
  Wire(QL200ControleParSoll, kReadReplyTimeoutMs, {}, {});
  UseTransfer(QL200SchrijfParSoll, &QL200BerekenParameters, &QL200ControleParSoll);

  // The values the device holds otherwise, shown below the panel only when
  // there are any.
  GridVerschillen = new QTableWidget(0, static_cast<int>(kColumnKeys.size()), this);
  GridVerschillen->setObjectName("GridVerschillen");
  GridVerschillen->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GridVerschillen->setSelectionBehavior(QAbstractItemView::SelectRows);
  GridVerschillen->verticalHeader()->hide();
  GridVerschillen->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  GridVerschillen->setFixedHeight(kGridHeight);
  GridVerschillen->hide();
  static_cast<QBoxLayout*>(layout())->insertWidget(1, GridVerschillen);
}

void TFormSchrijfParSoll::FormActivate() {
  GridVerschillen->hide();
  heldOtherwise_.clear();
  TransferWindow::FormActivate();
  QStringList titles;
  for (const char* key : kColumnKeys) titles << Texts().Stored(key);
  GridVerschillen->setHorizontalHeaderLabels(titles);
}

void TFormSchrijfParSoll::StartTransfer(ValueTransfer& transfer) {
  verify_ = GlobalVar().VerifyAfterWrite;
  heldOtherwise_.clear();
  if (ChosenSteps.empty())
    transfer.StartWrite(Mode, Content(), verify_);
  else
    transfer.StartWrite(ChosenSteps, Content(), verify_);
}

std::size_t TFormSchrijfParSoll::ChosenStepCount() const {
  if (ChosenSteps.empty()) return 0;
  const auto values = static_cast<std::size_t>(std::count_if(ChosenSteps.begin(), ChosenSteps.end(), [](const auto& s) {
    return s.phase != TransferPhase::Computing;
  }));
  return ChosenSteps.size() + (verify_ ? values : 0);
}

void TFormSchrijfParSoll::ShowHeldOtherwise(const TransferEnd& end) {
  heldOtherwise_ = end.heldOtherwise;
  GridVerschillen->setVisible(!heldOtherwise_.empty());
  const Comparison rows = CompareHeldOtherwise(heldOtherwise_, Content(), EditorCataloguesOf(GlobalVar()));
  GridVerschillen->setRowCount(static_cast<int>(rows.rows.size()));
  for (int r = 0; r < GridVerschillen->rowCount(); ++r) {
    const ComparisonRow& row = rows.rows[static_cast<std::size_t>(r)];
    const QString number = (row.item.phase == TransferPhase::Setpoints ? "S" : "P") + Q(row.number);
    const QString cells[] = {number, Q(row.name), Q(row.a), Q(row.b)};
    for (int c = 0; c < GridVerschillen->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c >= kFirstValueColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      GridVerschillen->setItem(r, c, item);
    }
  }
  GridVerschillen->resizeColumnToContents(0);
}

QString TFormSchrijfParSoll::FinalText() const {
  switch (Mode) {
    case kTransferParameters: return Texts().Stored(ChosenSteps.empty() ? "PanelTekst3" : "PanelTekst14");
    case kTransferSetpoints: return Texts().Stored("PanelTekst5");
    case kTransferBoth: return Texts().Stored("PanelTekst6");
    default: return Texts().Stored("PanelTekst8");
  }
}

void TFormSchrijfParSoll::hideEvent(QHideEvent* event) {
  TransferWindow::hideEvent(event);
  ChosenSteps.clear();
}
