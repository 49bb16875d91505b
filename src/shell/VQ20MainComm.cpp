// What the main window does with the device: opening and closing the port,
// identification, live values, inputs and outputs, the error-number poll,
// the terminal, the language texts and the menu commands.
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

#include "model/Global_var.h"
#include "model/FunctionLabels.h"
#include "shell/IndicatorBox.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"
#include "model/DeviceReply.h"
#include "shell/VQ20Main.h"
#include "shell/WindowSet.h"

namespace {

const QColor kPolledColour(255, 255, 151);
constexpr const char* kMain = "Main";

bool IsKnownDeviceType(const std::string& type) {
  return type == "VQ20" || type == "VQ21" || type == "VQ22" || type == "VQ23";
}

std::size_t Index(LiveQuantity q) { return static_cast<std::size_t>(q); }

}  // namespace

void TFormMain::SetUpComponents() {
  auto bind = [this](TQL200Protocol& c, int timeoutMs = 0) { SetUpLineCommand(c, &RkComm1, timeoutMs); };
  auto onError = [this](TRkProtocolComponent&, TCommError& e, const ResultBytes&) { CommunicationError(e); };

  bind(QL200UnitSelect);
  QL200UnitSelect.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { QL200UnitSelectCommResult(r); };
  QL200UnitSelect.OnCommError = onError;
  // A failed identification query is not reported: the chain just stops.
  bind(QL200TypeInfo);
  QL200TypeInfo.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { QL200TypeInfoCommResult(r); };

  for (int i = 0; i < kLiveQuantityCount; ++i) {
    const auto quantity = static_cast<LiveQuantity>(i);
    TQL200Protocol& c = liveComponents_[static_cast<std::size_t>(i)];
    bind(c);
    c.OnCommResult = [this, quantity](TRkProtocolComponent&, const ResultBytes& r) { LiveValueResult(quantity, r); };
    // The all-clear record after a recovery is no failure: the panel keeps
    // the value that has just arrived instead of showing "?" for a cycle.
    c.OnCommError = [this, quantity](TRkProtocolComponent&, TCommError& e, const ResultBytes&) {
      if (!e.IsSuccess()) LiveValueError(quantity);
    };
  }
  bind(QL200_in);
  QL200_in.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { InputResult(r); };
  QL200_in.OnCommError = onError;
  bind(QL200_uit);
  QL200_uit.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { OutputResult(r); };
  bind(QL200ReadError);
  QL200ReadError.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { QL200ReadErrorCommResult(r); };
  QL200ReadError.OnCommError = onError;
  bind(QL200ResetError);
  bind(QL200Protocol1, 1500);
  QL200Protocol1.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { QL200Protocol1CommResult(r); };
  QL200Protocol1.OnCommError = onError;

  RkComm1.OnActivate = [this](TRkComm&) { RkComm1Activate(); };
  RkComm1.OnDeactivate = [this](TRkComm&) { RkComm1Deactivate(); };
}

// --- Language texts -------------------------------------------------------

void TFormMain::LezenTeksten() {
  TGlobalVar& g = GlobalVar();
  if (g.LanguageLoaded) {
    auto t = [](const char* key, const char* fallback) { return Q(Tekst(kMain, key, fallback)); };
    GroupBoxIngangen->setTitle(t("GroepIngangen", "Ingangen"));
    GroupBoxUitgangen->setTitle(t("GroepUitgangen", "Uitgangen"));
    GroupBox_ANA_IN->setTitle(t("Groep_ANA_IN", "Analoog in"));
    GroupBox_ANA_UIT->setTitle(t("Groep_ANA_UIT", "Analoog uit"));
    GroupBoxActual->setTitle(t("GroepActual", "Actual"));
    actualLabels_[0]->setText(t("LabelActualPositie", "Positie:"));
    actualLabels_[1]->setText(t("LabelActualSnelheid", "Snelheid:"));
    actualLabels_[2]->setText(t("LabelActualLinPos", "Position LIN:"));
    actualLabels_[3]->setText(t("LabelActualPeakHold1", "PH-1:"));
    actualLabels_[4]->setText(t("LabelActualPeakHold2", "PH-2:"));
    LabelSpanning_uit->setText(t("LabelActualSpanning", "Spanning:"));
    LabelSpanning_in->setText(t("LabelActualSpanning", "Spanning:"));
    LabelStroom_uit->setText(t("LabelActualStroom", "Stroom:"));
    LabelStroom_in->setText(t("LabelActualStroom", "Stroom:"));
    textIoOn_ = t("CmdIO_ON", "I/O ON");
    textIoOff_ = t("CmdIO_OFF", "I/O OFF");
    textActualOn_ = t("CmdActual_ON", "Actual ON");
    textActualOff_ = t("CmdActual_OFF", "Actual OFF");
    textComOpen_ = t("CmdComOpen", "Open");
    textComClose_ = t("CmdComClose", "Close");
    CmdTerminalZenden->setText(t("CmdTerminalZenden", "Zenden"));
    CmdResetError->setText(t("CmdResetError", "Res error"));
    panelTekst0_ = t("PanelTekst0", "tekst 0");
    panelTekst1_ = t("PanelTekst1", "tekst 1");
    menuBestand->setTitle(t("menuBestand", "Bestand"));
    Exit1->setText(t("subAfsluiten", "Afsluiten"));
    menuEdit->setTitle(t("menuEdit", "Edit"));
    Par11->setText(t("subParameters", "Parameters"));
    Par21->setText(t("subSollwerten", "Sollwerten"));
    menuInstellingen->setTitle(t("menuInstellingen", "Instellingen"));
    Serial1->setText(t("subInitCom", "Init serieel"));
    ww1->setText(t("subOpties", "Opties"));
    menuCommunicatie->setTitle(t("menuCommunicatie", "Communicatie"));
    VQ80ontvangen1->setText(t("subParSoll", "Parameters + Sollwerten ontvangen"));
    Backup1->setText(t("subBackup", "Backup"));
    Restore1->setText(t("subRestore", "Restore"));
    VQ20zoeken->setText(t("subZoeken", "App... zoeken"));
    menuVenster->setTitle(t("menuVenster", "Venster"));
    displaynokken1->setText(t("subNokkenInfo", "Nok info"));
    Grafiek1->setText(t("subGrafiek", "Grafiek"));
    Grafiek2->setText(t("subLinearisatie", "Linearisatie"));
    menuHelp->setTitle(t("menuHelp", "Help"));
    FormAbout->setText(t("subInfo", "Info"));
    Errno1->setText(t("subErrorNummers", "Error nummers"));
    separator1_->setText("-");
    separator2_->setText("-");
  }
  InputFunctieTeksten();
  OutputFunctieTeksten();
  CmdTerminalZenden->setEnabled(false);
  CmdSelectUnit->setText(RkComm1.Active() ? textComClose_ : textComOpen_);
  CmdInUit->setText(g.IoOn ? textIoOff_ : textIoOn_);
  CmdActual->setText(g.LiveValuesOn ? textActualOff_ : textActualOn_);
  VQ80ontvangen1->setEnabled(false);
  Backup1->setEnabled(false);
  Restore1->setEnabled(false);
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
    box.setInformativeText(PortFailureDetail());
    box.exec();
    return false;
  }
}

void TFormMain::CmdSelectUnitClick() { SetPortActive(!RkComm1.Active()); }

void TFormMain::RkComm1Activate() {
  PanelComInfo->clear();
  CmdSelectUnit->setText(textComClose_);
  for (QPushButton* b : {CmdTerminalZenden, CmdResetError, CmdActual, CmdInUit}) b->setEnabled(true);
  StatusPanels[0]->setText(Q(PortDisplayName(RkComm1.PortName())));
  StatusPanels[1]->setText(Q(PortSettingsText(RkComm1.Baudrate(), RkComm1.FrameParitybit(), RkComm1.FrameDatabits(),
                                              RkComm1.FrameStopbits())));
  GlobalVar().IdentStep = 0;
  // The device search selects units itself.
  if (!(FormApparaatZoeken != nullptr && FormApparaatZoeken->isVisible())) {
    QL200UnitSelect.ASCIIProtocol = "sc " + std::to_string(UnitNumber());
    QL200UnitSelect.Send();
  }
  for (QAction* a : {VQ80ontvangen1, Backup1, Restore1}) a->setEnabled(true);
}

void TFormMain::RkComm1Deactivate() {
  TGlobalVar& g = GlobalVar();
  PanelErrorNo->clear();
  PanelComInfo->clear();
  CmdTerminalZenden->setEnabled(false);
  CmdSelectUnit->setText(textComOpen_);
  for (QPushButton* b : {CmdResetError, CmdActual, CmdInUit}) b->setEnabled(false);
  StatusPanels[0]->clear();
  StatusPanels[1]->setText("Offline");
  for (std::size_t i = 2; i < StatusPanels.size(); ++i) StatusPanels[i]->clear();
  dots_.Clear();
  g.LiveValuesOn = false;
  g.IoOn = false;
  CmdActual->setText(textActualOn_);
  CmdInUit->setText(textIoOn_);
  ClearValuePanels();
  Disable_checkboxen_status_klemmen();
  for (QAction* a : {VQ80ontvangen1, Backup1, Restore1}) a->setEnabled(false);
}

void TFormMain::QL200UnitSelectCommResult(const ResultBytes&) {
  PanelComInfo->clear();
  QL200TypeInfo.ASCIIProtocol = "rt";
  QL200TypeInfo.Send();
}

void TFormMain::QL200TypeInfoCommResult(const ResultBytes& result) {
  TGlobalVar& g = GlobalVar();
  const QString value = Q(ReplyValue(result));
  switch (g.IdentStep) {
    case 0:
      StatusPanels[2]->setText(value);
      g.DeviceType = S(value.left(4));
      if (!IsKnownDeviceType(g.DeviceType) && g.LanguageLoaded) ShowWrongDeviceWarning();
      QL200TypeInfo.ASCIIProtocol = "rh";
      QL200TypeInfo.Send();
      g.IdentStep = 1;
      break;
    case 1:
      StatusPanels[3]->setText(value);
      QL200TypeInfo.ASCIIProtocol = "rx";
      QL200TypeInfo.Send();
      g.IdentStep = 2;
      break;
    default:
      StatusPanels[4]->setText(value);
      break;
  }
}

void TFormMain::ShowWrongDeviceWarning() {
  QMessageBox box(QMessageBox::Warning, Q(Tekst(kMain, "Msg_waarschuwingCaption")),
                  Q(Tekst(kMain, "Msg_Melding_Geen_VQ2X")), QMessageBox::Ok, this);
  box.setObjectName("WrongDeviceWarning");
  box.exec();
}

void TFormMain::CommunicationError(const TCommError& error) {
  PanelErrorNo->clear();
  QPalette red = PanelComInfo->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  if (error.Code == ceTimeout) {
    PanelComInfo->setPalette(red);
    PanelComInfo->setText(panelTekst0_);
  } else if (error.SystemError != 0 || error.CommErrors != 0) {
    PanelComInfo->setPalette(red);
    PanelComInfo->setText(panelTekst1_ + " " + QString::number(error.SystemError) + ", " +
                          QString::number(error.CommErrors));
  }
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
  TGlobalVar& g = GlobalVar();
  if (!g.LiveValuesOn) {
    const auto polled = QuantitiesToPoll(g.ParameterTable, g.DeviceType);
    for (LiveQuantity q : polled) {
      TQL200Protocol& c = liveComponents_[Index(q)];
      c.ASCIIProtocol = Info(q).command;
      c.SetCyclic(true);
      if (q != LiveQuantity::ActPos && q != LiveQuantity::Snelheid) PaintPanel(ValuePanels[Index(q)], true);
    }
    PaintPanel(ValuePanels[Index(LiveQuantity::ActPos)], true);
    PaintPanel(ValuePanels[Index(LiveQuantity::Snelheid)], true);
    CmdActual->setText(textActualOff_);
    g.LiveValuesOn = true;
  } else {
    for (TQL200Protocol& c : liveComponents_) c.SetCyclic(false);
    CmdActual->setText(textActualOn_);
    g.LiveValuesOn = false;
    ClearValuePanels();
  }
}

void TFormMain::InUitActief() {
  TGlobalVar& g = GlobalVar();
  if (!g.IoOn) {
    QL200_in.ASCIIProtocol = "ri";
    QL200_in.SetCyclic(true);
    QL200_uit.ASCIIProtocol = "ru";
    QL200_uit.SetCyclic(true);
    CmdInUit->setText(textIoOff_);
    g.IoOn = true;
  } else {
    QL200_in.SetCyclic(false);
    QL200_uit.SetCyclic(false);
    CmdInUit->setText(textIoOn_);
    g.IoOn = false;
    Disable_checkboxen_status_klemmen();
  }
}

void TFormMain::StopPolling() {
  if (GlobalVar().IoOn) InUitActief();
  if (GlobalVar().LiveValuesOn) ActualActief();
}

void TFormMain::LiveValueResult(LiveQuantity quantity, const ResultBytes& result) {
  const TGlobalVar& g = GlobalVar();
  if (!g.LiveValuesOn) return;
  const bool shortCopy = quantity == LiveQuantity::Spanning_in || quantity == LiveQuantity::Stroom_in;
  const std::string value = ReplyValue(result, shortCopy ? kShortReplyCopyLimit : kReplyCopyLimit);
  ValuePanels[Index(quantity)]->setText(Q(LiveValueText(quantity, value, g.ParameterTable)));
}

void TFormMain::LiveValueError(LiveQuantity quantity) {
  // Like a late reply, a late failure no longer belongs on the panel.
  if (GlobalVar().LiveValuesOn) ValuePanels[Index(quantity)]->setText("?");
}

void TFormMain::InputResult(const ResultBytes& result) {
  if (!GlobalVar().IoOn) return;
  const int bits = BitPattern(ReplyValue(result, kShortReplyCopyLimit));
  for (std::size_t i = 0; i < InputBoxes.size(); ++i)
    InputBoxes[i]->SetState(bits & (1 << i) ? IndicatorBox::State::On : IndicatorBox::State::Off);
}

void TFormMain::OutputResult(const ResultBytes& result) {
  if (!GlobalVar().IoOn) return;
  const int bits = BitPattern(ReplyValue(result, kShortReplyCopyLimit));
  for (std::size_t i = 0; i < OutputBoxes.size(); ++i)
    OutputBoxes[i]->SetState(bits & (1 << i) ? IndicatorBox::State::On : IndicatorBox::State::Off);
}

void TFormMain::Timer1Timer() {
  if (!RkComm1.Active()) return;
  for (QDialog* transfer : {static_cast<QDialog*>(FormApparaatZoeken), static_cast<QDialog*>(FormLeesParSoll),
                            static_cast<QDialog*>(FormSchrijfParSoll)})
    if (transfer != nullptr && transfer->isVisible()) return;
  QL200ReadError.ASCIIProtocol = "rf";
  QL200ReadError.Send();
}

void TFormMain::QL200ReadErrorCommResult(const ResultBytes& result) {
  PanelComInfo->clear();
  const std::string value = ReplyValue(result);
  if (IsNoError(value)) {
    PanelErrorNo->clear();
    return;
  }
  PanelErrorNo->setText(Q(ErrorPanelText(value)));
  StatusPanels[5]->setText(Q(dots_.Advance()));
}

void TFormMain::CmdResetErrorClick() {
  QL200ResetError.ASCIIProtocol = "wf";
  QL200ResetError.Send();
}

void TFormMain::CmdTerminalZendenClick() {
  MemoReceive->clear();
  QL200Protocol1.ASCIIProtocol = S(EditZenden->text());
  QL200Protocol1.Send();
  EditZenden->selectAll();
  EditZenden->setFocus();
}

void TFormMain::QL200Protocol1CommResult(const ResultBytes& result) {
  PanelComInfo->clear();
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
