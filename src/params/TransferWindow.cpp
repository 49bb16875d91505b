#include "params/TransferWindow.h"

#include <QCloseEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/PushButton.h"
#include "ui/QtText.h"
#include "ui/StatusPanel.h"

namespace {

constexpr int kPanelWidth = 440;
constexpr int kPanelLines = 3;
constexpr int kLastParameter = kParameterCount - 1;
// Shown while the device computes; the language files have no text for it.
constexpr const char* kComputingText = "Bereken parameters";

// PanelTekst12 to 14 are the write window's own: reading back what was
// written, its end when the device holds a value otherwise, and the end of
// a write of chosen parameters.
constexpr std::array<const char*, 15> kPanelKeys = {
    "PanelTekst0",  "PanelTekst1",  "PanelTekst2",  "PanelTekst3",  "PanelTekst4",
    "PanelTekst5",  "PanelTekst6",  "PanelTekst7",  "PanelTekst8",  "PanelTekst9",
    "PanelTekst10", "PanelTekst11", "PanelTekst12", "PanelTekst13", "PanelTekst14"};
constexpr std::array<const char*, 15> kPanelDefaults = {
    "tekst 0", "tekst 1", "tekst 2", "tekst 3", "tekst 4", "tekst 5", "tekst 6", "tekst 7", "tekst 8", "tekst 9",
    "tekst 10", "tekst 11", "Controleren",
    "Het apparaat houdt niet alle geschreven waarden aan:",
    "De gekozen parameters zijn verzonden en door het apparaat overgenomen."};
constexpr std::array<const char*, 4> kCaptionKeys = {"CaptionMode0", "CaptionMode1", "CaptionMode2",
                                                     "CaptionMode3"};

}  // namespace

std::vector<TextRow> TransferTextRows(const std::array<const char*, 4>& captionDefaults, int panelTexts) {
  std::vector<TextRow> rows = {{"CmdOK", "CmdOK", "OK"}, {"CmdAgain", "CmdAgain", "Again"},
                               {"CmdCancel", "CmdCancel", "Cancel"}};
  for (std::size_t i = 0; i < kCaptionKeys.size(); ++i) rows.push_back({nullptr, kCaptionKeys[i], captionDefaults[i]});
  for (int i = 0; i < panelTexts; ++i) {
    const auto n = static_cast<std::size_t>(i);
    rows.push_back({nullptr, kPanelKeys[n], kPanelDefaults[n]});
  }
  return rows;
}

TransferWindow::TransferWindow(QWidget* parent, const char* objectName, const char* section, std::vector<TextRow> texts)
    : TWindowBase(parent, objectName, ""), texts_(section, std::move(texts)) {
  // No close box: the window ends through its buttons only.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  PausePollingWhileShown();

  auto* layout = new QVBoxLayout(this);
  Panel1 = NewStatusPanel(this, kPanelWidth, kPanelLines);
  layout->addWidget(Panel1);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setAccessibleName(Panel1->text());
  layout->addWidget(ProgressBar1);

  auto* buttons = new QHBoxLayout;
  CmdOK = NewPushButton(this, "CmdOK", "OK");
  CmdAgain = NewPushButton(this, "CmdAgain", "Again");
  CmdCancel = NewPushButton(this, "CmdCancel", "Cancel");
  buttons->addStretch();
  for (QPushButton* b : {CmdOK, CmdAgain, CmdCancel}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setWindowTitle(texts_.Stored(kCaptionKeys[0]));
  connect(CmdOK, &QPushButton::clicked, this, [this] { accept(); });
  connect(CmdAgain, &QPushButton::clicked, this, [this] { Start(); });
  connect(CmdCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

void TransferWindow::UseTransfer(TQL200Protocol& values, TQL200Protocol* compute, TQL200Protocol* readBack) {
  transfer_ = std::make_unique<ValueTransfer>(values, compute, readBack);
  transfer_->Progress = [this](const TransferStep& step) { ShowProgress(step); };
  transfer_->Ended = [this](const TransferEnd& end) { ShowEnd(end); };
}

void TransferWindow::FormActivate() {
  texts_.Apply(*this);
  setWindowTitle(texts_.Stored(kCaptionKeys[static_cast<std::size_t>(std::clamp(Mode, 0, 3))]));
  Start();
}

void TransferWindow::Start() {
  failed_ = false;
  finished_ = false;
  firstStep_ = true;
  stepsShown_ = 0;
  CmdOK->setEnabled(false);
  CmdAgain->setEnabled(false);
  CmdCancel->setEnabled(true);
  ProgressBar1->setValue(0);
  StartTransfer(*transfer_);
}

QString TransferWindow::ProgressText(const TransferStep& step) const {
  const QString number = QString::number(step.number);
  if (step.readBack)
    return texts_.Stored("PanelTekst12") + (step.phase == TransferPhase::Parameters ? " P" : " S") + number;
  switch (step.phase) {
    case TransferPhase::Parameters: return texts_.Stored("PanelTekst2") + " " + number;
    case TransferPhase::Setpoints: return texts_.Stored("PanelTekst4") + " " + number;
    case TransferPhase::Computing: break;
  }
  return kComputingText;
}

void TransferWindow::ShowProgress(const TransferStep& step) {
  ShowPanel(ProgressText(step), false);
  // Chosen items are counted; a mode's run follows the numbers.
  if (const std::size_t chosen = ChosenStepCount(); chosen > 0) {
    ProgressBar1->setMaximum(static_cast<int>(chosen));
    ProgressBar1->setValue(static_cast<int>(stepsShown_++));
    return;
  }
  switch (step.phase) {
    case TransferPhase::Parameters: ProgressBar1->setMaximum(kLastParameter); break;
    case TransferPhase::Setpoints: ProgressBar1->setMaximum(kSetpointCount); break;
    case TransferPhase::Computing: ProgressBar1->setValue(ProgressBar1->maximum()); return;
  }
  ProgressBar1->setValue(firstStep_ ? 0 : step.number);
  firstStep_ = false;
}

void TransferWindow::ShowEnd(const TransferEnd& end) {
  using Kind = TransferEnd::Kind;
  if (end.kind == Kind::Cancelled) {
    // A hidden window was closed already; its run just stopped.
    if (isVisible()) reject();
    return;
  }
  CmdAgain->setEnabled(true);
  switch (end.kind) {
    case Kind::Finished:
    case Kind::ComputeFailed:
    case Kind::Differs:
      finished_ = true;
      ProgressBar1->setValue(ProgressBar1->maximum());
      TakeOver(*transfer_);
      if (end.kind == Kind::Finished)
        ShowPanel(FinalText(), false);
      else if (end.kind == Kind::Differs)
        ShowPanel(texts_.Stored("PanelTekst13"), true);
      else
        ShowPanel(texts_.Stored("PanelTekst10") + " " + Q(end.computeCode) + " " + texts_.Stored("PanelTekst11"),
                  true);
      ShowHeldOtherwise(end);
      CmdOK->setEnabled(true);
      CmdOK->setFocus();
      return;
    case Kind::Invalid:
      ShowPanel(texts_.Stored("PanelTekst7") + " " + Q(end.replyStart) + Q(TransferItemLabel(end.step)), true);
      break;
    case Kind::Refused: ShowPanel("(er 7) " + texts_.Stored("PanelTekst9"), true); break;
    case Kind::TimedOut: ShowPanel(texts_.Stored("PanelTekst0"), true); break;
    case Kind::LineFault: ShowPanel(texts_.Stored("PanelTekst1"), true); break;
    case Kind::Cancelled: break;
  }
  failed_ = true;
}

void TransferWindow::ShowPanel(const QString& text, bool error) {
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::WindowText, error ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
  Panel1->setPalette(palette);
  Panel1->setText(text);
  ProgressBar1->setAccessibleName(text);
}

void TransferWindow::CancelClick() {
  if (!failed_ && !finished_ && transfer_->Running()) {
    // Closes when the exchange under way is answered.
    transfer_->RequestCancel();
    return;
  }
  reject();
}

void TransferWindow::keyPressEvent(QKeyEvent* event) {
  // Escape would close the dialog behind the run's back.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  TWindowBase::keyPressEvent(event);
}

void TransferWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

void TransferWindow::hideEvent(QHideEvent* event) {
  // Closed from outside while running: the run ends at the next reply.
  if (transfer_ && transfer_->Running()) transfer_->RequestCancel();
  TWindowBase::hideEvent(event);
}
