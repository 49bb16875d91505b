// What the main window does with the device: opening and closing the port,
// identification, live values, inputs and outputs, the error-number poll,
// the terminal, the language texts and the menu commands. The sequences
// themselves are model classes; this file shows what they report.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

#include "comm/PortFailureCause.h"
#include "shell/ApparaatZoeken.h"
#include "model/DeviceReply.h"
#include "model/FunctionLabels.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/LineCommand.h"
#include "params/LeesParSoll.h"
#include "shell/IndicatorBox.h"
#include "shell/VQ20Main.h"
#include "ui/ElidedLabel.h"
#include "ui/QtText.h"

namespace {

const QColor kPolledColour(255, 255, 151);

std::size_t Index(LiveQuantity q) { return static_cast<std::size_t>(q); }

// The hint of the language file for a port that did not open; the serial
// library's own words when the file has none.
QString PortFailureHint(const char* systemText) {
  const PortFailureKind kind = PortFailureKindOfText(systemText);
  const char* key = nullptr;
  switch (kind) {
    case PortFailureKind::NoPermission: key = "PortCauseAccess"; break;
    case PortFailureKind::Busy: key = "PortCauseBusy"; break;
    case PortFailureKind::NoDevice: key = "PortCauseMissing"; break;
    case PortFailureKind::Unexplained: return {};
  }
  return Q(Tekst("Main", key, PortFailureCause(kind)));
}

}  // namespace

void TFormMain::SetUpComponents() {
  identification_.OnUnitSelected = [this] { ClearComInfo(); };
  identification_.OnUnitSelectFailed = [this](const TCommError& e) { CommunicationError(e); };
  identification_.OnText = [this](int panel, const std::string& text) {
    StatusPanels[static_cast<std::size_t>(panel)]->setText(Q(text));
  };
  identification_.OnForeignDevice = [this] {
    if (GlobalVar().LanguageLoaded) ShowWrongDeviceWarning();
  };

  polling_.OnValue = [this](LiveQuantity q, const std::string& text) { ValuePanels[Index(q)]->setText(Q(text)); };
  polling_.OnInputs = [this](int bits) { ShowBits(InputBoxes, bits); };
  polling_.OnOutputs = [this](int bits) { ShowBits(OutputBoxes, bits); };
  polling_.OnInputFailure = [this](const TCommError& e) { CommunicationError(e); };

  errorPoll_.OnReply = [this](const std::string& errorText, const std::string& dots) {
    ErrorNumberReply(errorText, dots);
  };
  errorPoll_.OnFailure = [this](const TCommError& e) { CommunicationError(e); };

  WireLineCommand(QL200ResetError, &RkComm1, 0, {});
  WireLineCommand(QL200Protocol1, &RkComm1, kTerminalReplyTimeoutMs, [this](const ResultBytes& r) { QL200Protocol1CommResult(r); },
                  [this](const TCommError& e) { CommunicationError(e); });

  RkComm1.OnActivate = [this](TRkComm&) { RkComm1Activate(); };
  RkComm1.OnDeactivate = [this](TRkComm&) { RkComm1Deactivate(); };
}

void TFormMain::BindSetupCommDialog() {
  RkSetupCommDialog1.SetRkComm(&RkComm1);
  RkSetupCommDialog1.OnShow = [this](TRkSetupCommDialog&) {
    if (RkComm1.Active()) SetPortActive(false);
  };
}

// --- Language texts -------------------------------------------------------

void TFormMain::LezenTeksten() {
  texts_.Apply(*this);
  InputFunctieTeksten();
  OutputFunctieTeksten();
  const bool open = RkComm1.Active();
  CmdSelectUnit->setText(texts_.Stored(open ? "CmdComClose" : "CmdComOpen"));
  CmdInUit->setText(texts_.Stored(GlobalVar().IoOn ? "CmdIO_OFF" : "CmdIO_ON"));
  CmdActual->setText(texts_.Stored(GlobalVar().LiveValuesOn ? "CmdActual_OFF" : "CmdActual_ON"));
  // Applied again while the port is open (after the options window), the
  // texts must not take away what the open port offers.
  CmdTerminalZenden->setEnabled(open);
  for (QAction* a : {VQ80ontvangen1, Backup1, Restore1}) a->setEnabled(open);
}

void TFormMain::RefreshFunctionTexts() {
  InputFunctieTeksten();
  OutputFunctieTeksten();
}

void TFormMain::InputFunctieTeksten() {
  for (std::size_t i = 0; i < InputFunctionLabels.size(); ++i) {
    std::string text;
    if (FunctionLabelText(GlobalVar(), kInputFunctionParameters[i], text)) InputFunctionLabels[i]->setText(Q(text));
  }
}

void TFormMain::OutputFunctieTeksten() {
  for (std::size_t i = 0; i < OutputFunctionLabels.size(); ++i) {
    std::string text;
    if (FunctionLabelText(GlobalVar(), kOutputFunctionParameters[i], text)) OutputFunctionLabels[i]->setText(Q(text));
  }
}

// --- Connection and identification ----------------------------------------

QString TFormMain::PortFailureDetail() const {
  return Q(PortDisplayName(RkComm1.PortName()) + " (" + paths_->Resolve(RkComm1.PortName()) + ")");
}

bool TFormMain::SetPortActive(bool active) {
  try {
    RkComm1.SetActive(active);
    return true;
  } catch (const std::exception& e) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), Q(e.what()), QMessageBox::Ok, this);
    box.setObjectName("PortFailure");
    const QString cause = PortFailureHint(e.what());
    box.setInformativeText(PortFailureDetail() + (cause.isEmpty() ? QString() : "\n\n" + cause));
    box.exec();
    return false;
  }
}

void TFormMain::CmdSelectUnitClick() { SetPortActive(!RkComm1.Active()); }

void TFormMain::EnablePortControls(bool open) {
  for (QPushButton* b : {CmdTerminalZenden, CmdResetError, CmdActual, CmdInUit}) b->setEnabled(open);
  for (QAction* a : {VQ80ontvangen1, Backup1, Restore1}) a->setEnabled(open);
  CmdSelectUnit->setText(texts_.Stored(open ? "CmdComClose" : "CmdComOpen"));
}

void TFormMain::RkComm1Activate() {
  ClearComInfo();
  EnablePortControls(true);
  StatusPanels[0]->setText(Q(PortDisplayName(RkComm1.PortName())));
  StatusPanels[1]->setText(Q(PortSettingsText(RkComm1.Baudrate(), RkComm1.FrameParitybit(), RkComm1.FrameDatabits(),
                                              RkComm1.FrameStopbits())));
  GlobalVar().IdentStep = 0;
  // A window that has the port to itself (the device search) selects the
  // units itself.
  if (!SharedPollingPause().Active()) identification_.Start(UnitNumber());
}

void TFormMain::RkComm1Deactivate() {
  PanelErrorNo->clear();
  ClearComInfo();
  EnablePortControls(false);
  StatusPanels[0]->clear();
  StatusPanels[1]->setText("Offline");
  for (std::size_t i = 2; i < StatusPanels.size(); ++i) StatusPanels[i]->clear();
  errorPoll_.PortClosed();
  polling_.PortClosed();
  CmdActual->setText(texts_.Stored("CmdActual_ON"));
  CmdInUit->setText(texts_.Stored("CmdIO_ON"));
  ClearValuePanels();
  Disable_checkboxen_status_klemmen();
}

void TFormMain::ShowWrongDeviceWarning() {
  QMessageBox box(QMessageBox::Warning, texts_.Lookup("Msg_waarschuwingCaption"),
                  texts_.Lookup("Msg_Melding_Geen_VQ2X"), QMessageBox::Ok, this);
  box.setObjectName("WrongDeviceWarning");
  box.exec();
}

void TFormMain::ClearComInfo() {
  PanelComInfo->clear();
  failureHold_.Cleared();
}

void TFormMain::CommunicationError(const TCommError& error) {
  PanelErrorNo->clear();
  QString text;
  if (error.Code == ceTimeout)
    text = texts_.Stored("PanelTekst0");
  else if (error.SystemError != 0 || error.CommErrors != 0)
    text = texts_.Stored("PanelTekst1") + " " + QString::number(error.SystemError) + ", " +
           QString::number(error.CommErrors);
  else
    return;  // the all-clear after a recovery
  QPalette red = PanelComInfo->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  PanelComInfo->setPalette(red);
  PanelComInfo->setText(text);
  failureHold_.Shown(clock_.elapsed());
}

// --- Live monitoring ------------------------------------------------------

void TFormMain::PaintPanel(QLabel* panel, bool polled) {
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, polled ? kPolledColour : palette().color(QPalette::Button));
  panel->setPalette(p);
}

void TFormMain::ClearValuePanels() {
  for (QLabel* panel : ValuePanels) {
    panel->clear();
    PaintPanel(panel, false);
  }
}

void TFormMain::Disable_checkboxen_status_klemmen() {
  for (IndicatorBox* box : InputBoxes) box->SetState(IndicatorBox::State::Neutral);
  for (IndicatorBox* box : OutputBoxes) box->SetState(IndicatorBox::State::Neutral);
}

void TFormMain::ActualActief() {
  if (!GlobalVar().LiveValuesOn) {
    for (LiveQuantity q : polling_.SwitchLiveOn())
      if (q != LiveQuantity::ActPos && q != LiveQuantity::Snelheid) PaintPanel(ValuePanels[Index(q)], true);
    PaintPanel(ValuePanels[Index(LiveQuantity::ActPos)], true);
    PaintPanel(ValuePanels[Index(LiveQuantity::Snelheid)], true);
    CmdActual->setText(texts_.Stored("CmdActual_OFF"));
  } else {
    polling_.SwitchLiveOff();
    CmdActual->setText(texts_.Stored("CmdActual_ON"));
    ClearValuePanels();
  }
}

void TFormMain::InUitActief() {
  if (!GlobalVar().IoOn) {
    polling_.SwitchIoOn();
    CmdInUit->setText(texts_.Stored("CmdIO_OFF"));
  } else {
    polling_.SwitchIoOff();
    CmdInUit->setText(texts_.Stored("CmdIO_ON"));
    Disable_checkboxen_status_klemmen();
  }
}

void TFormMain::StopPolling() {
  if (GlobalVar().IoOn) InUitActief();
  if (GlobalVar().LiveValuesOn) ActualActief();
}

// Bit i of the reply's value lights box i.
void TFormMain::ShowBits(std::span<IndicatorBox* const> boxes, int bits) {
  for (std::size_t i = 0; i < boxes.size(); ++i)
    boxes[i]->SetState(bits & (1 << i) ? IndicatorBox::State::On : IndicatorBox::State::Off);
}

void TFormMain::Timer1Timer() { errorPoll_.Tick(); }

void TFormMain::ErrorNumberReply(const std::string& errorText, const std::string& dots) {
  if (failureHold_.PollMayClear(clock_.elapsed())) ClearComInfo();
  PanelErrorNo->setText(Q(errorText));
  if (!errorText.empty()) StatusPanels[5]->setText(Q(dots));
}

void TFormMain::CmdResetErrorClick() { SendCommand(QL200ResetError, "wf"); }

void TFormMain::CmdTerminalZendenClick() {
  MemoReceive->clear();
  SendCommand(QL200Protocol1, S(EditZenden->text()));
  EditZenden->selectAll();
  EditZenden->setFocus();
}

void TFormMain::QL200Protocol1CommResult(const ResultBytes& result) {
  ClearComInfo();
  MemoReceive->setPlainText(Q(ReplyLines(result)));
}

// --- Menu commands --------------------------------------------------------

void TFormMain::ShowModal(QDialog* window) {
  if (window != nullptr) window->exec();
}

void TFormMain::ReceiveEverything() {
  StopPolling();
  if (FormLeesParSoll == nullptr) return;
  FormLeesParSoll->Mode = 2;
  if (FormLeesParSoll->exec() != QDialog::Accepted) return;
  TGlobalVar& g = GlobalVar();
  g.ParameterTable = FormLeesParSoll->ReceivedParameters;
  g.SetpointTable = FormLeesParSoll->ReceivedSetpoints;
  g.ParameterSource = psDevice;
  g.SetpointSource = psDevice;
  InputFunctieTeksten();
  OutputFunctieTeksten();
}

void TFormMain::SearchDevices() {
  SetPortActive(false);
  ShowModal(FormApparaatZoeken);
  SetPortActive(true);
}
