// The main window's construction: controls, menus, status bar and the
// creation and closing sequences. What the controls do is in
// VQ20MainComm.cpp.
#include "shell/VQ20Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

#include "comm/SystemSerial.h"
#include "model/CatalogueFiles.h"
#include "model/Configuration.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/SettingsLocation.h"
#include "params/EditParam.h"
#include "params/EditSollwerten.h"
#include "shell/About.h"
#include "shell/IndicatorBox.h"
#include "shell/InfoErrorNummers.h"
#include "shell/InitSerial.h"
#include "shell/Opties.h"
#include "tools/Calibratie.h"
#include "tools/DisplayNokken.h"
#include "tools/Grafiek.h"
#include "tools/Linearisatie.h"
#include "ui/ElidedLabel.h"
#include "ui/QtText.h"
#include "ui/WindowBase.h"

TFormMain* FormMain = nullptr;

namespace {

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 398;
constexpr int kStatusPanelWidths[6] = {40, 80, 70, 80, 120, 80};

// The main window's captions, once each: the control, its key in section
// "Main" of the language file, the caption as laid out (shown while no
// language file is loaded) and the built-in default for a key the loaded
// file lacks, where that differs from the laid-out caption. Rows without a
// control are the state captions and messages the window keeps; rows
// without a key are laid out only.
struct MainCaption {
  const char* control;
  const char* key;
  const char* laidOut;
  const char* builtIn = nullptr;
};

const MainCaption kMainCaptions[] = {
    {"GroupBoxIngangen", "GroepIngangen", "Ingangen"},
    {"GroupBoxUitgangen", "GroepUitgangen", "Uitgangen"},
    {"GroupBox_ANA_IN", "Groep_ANA_IN", "Analoog in"},
    {"GroupBox_ANA_UIT", "Groep_ANA_UIT", "Analoog uit"},
    {"GroupBoxActual", "GroepActual", "Actual"},
    {"GroupBoxTerminal", nullptr, "Terminal"},
    {"LabelActPos", "LabelActualPositie", "Positie:"},
    {"LabelSnelheid", "LabelActualSnelheid", "Snelheid:"},
    {"LabelSpanning_uit", "LabelActualSpanning", "Spanning:"},
    {"LabelSpanning_in", "LabelActualSpanning", "Spanning:"},
    {"LabelStroom_uit", "LabelActualStroom", "Stroom:"},
    {"LabelStroom_in", "LabelActualStroom", "Stroom:"},
    {"LabelActPosLin", "LabelActualLinPos", "Position LIN:"},
    {"LabelActPeakHold1", "LabelActualPeakHold1", "PH-1:"},
    {"LabelActPeakHold2", "LabelActualPeakHold2", "PH-2:"},
    {"CmdInUit", nullptr, "I/O  ON"},
    {"CmdActual", nullptr, "Actual - ON"},
    {"CmdCalibratie", nullptr, "Calibratie"},
    {nullptr, "CmdIO_ON", nullptr, "I/O ON"},
    {nullptr, "CmdIO_OFF", nullptr, "I/O OFF"},
    {nullptr, "CmdActual_ON", nullptr, "Actual ON"},
    {nullptr, "CmdActual_OFF", nullptr, "Actual OFF"},
    {nullptr, "CmdComOpen", nullptr, "Open"},
    {nullptr, "CmdComClose", nullptr, "Close"},
    {"CmdTerminalZenden", "CmdTerminalZenden", "Transmit", "Zenden"},
    {"CmdResetError", "CmdResetError", "RST SSI Err", "Res error"},
    {nullptr, "PanelTekst0", nullptr, "tekst 0"},
    {nullptr, "PanelTekst1", nullptr, "tekst 1"},
    {"menuBestand", "menuBestand", "&File", "Bestand"},
    {"Exit1", "subAfsluiten", "&Afsluiten", "Afsluiten"},
    {"menuEdit", "menuEdit", "&Edit", "Edit"},
    {"Par11", "subParameters", "&Parameters", "Parameters"},
    {"Par21", "subSollwerten", "&Sollwerten", "Sollwerten"},
    {"menuInstellingen", "menuInstellingen", "&Extra", "Instellingen"},
    {"Serial1", "subInitCom", "&Serieel", "Init serieel"},
    {"ww1", "subOpties", "&Opties", "Opties"},
    {"menuCommunicatie", "menuCommunicatie", "&Communicatie", "Communicatie"},
    {"VQ80ontvangen1", "subParSoll", "Parameters + Sollwerten ontvangen"},
    {"Backup1", "subBackup", "Backup VQ80...", "Backup"},
    {"Restore1", "subRestore", "Restore VQ80...", "Restore"},
    {"Report1", "subRapport", "Rapport...", "Rapport..."},
    {"VQ20zoeken", "subZoeken", "Apparaat zoeken...", "App... zoeken"},
    {"menuVenster", "menuVenster", "&Venster", "Venster"},
    {"displaynokken1", "subNokkenInfo", "Nokken info", "Nok info"},
    {"Grafiek1", "subGrafiek", "Grafiek"},
    {"Grafiek2", "subLinearisatie", "Grafiek2", "Linearisatie"},
    {"menuHelp", "menuHelp", "&Help", "Help"},
    {"FormAbout", "subInfo", "&Info", "Info"},
    {"Errno1", "subErrorNummers", "Error nummers"},
    {nullptr, "Msg_waarschuwingCaption", nullptr},
    {nullptr, "Msg_Melding_Geen_VQ2X", nullptr},
    {nullptr, "StatusSnel", "Snelle overdracht"},
};

// The rows of the language file's texts.
std::vector<TextRow> MainTexts() {
  std::vector<TextRow> rows;
  for (const MainCaption& c : kMainCaptions)
    if (c.key != nullptr) rows.push_back({c.control, c.key, c.builtIn != nullptr ? c.builtIn : c.laidOut});
  return rows;
}

// The laid-out caption of a control.
QString LaidOut(const char* control) {
  for (const MainCaption& c : kMainCaptions)
    if (c.control != nullptr && c.laidOut != nullptr && std::strcmp(c.control, control) == 0) return c.laidOut;
  return {};
}

// A borderless panel of the form: a label, so screen readers read its text.
QLabel* MakePanel(const QString& name, QWidget* parent, bool sunken = true) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setAlignment(Qt::AlignCenter);
  panel->setAutoFillBackground(true);
  panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (sunken) {
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumHeight(20);
  }
  return panel;
}

QLabel* MakeLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(LaidOut(name), parent);
  label->setObjectName(name);
  return label;
}

QPushButton* MakeButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(LaidOut(name), parent);
  button->setObjectName(name);
  return button;
}

QGroupBox* MakeGroup(const char* name, QWidget* parent) {
  auto* group = new QGroupBox(LaidOut(name), parent);
  group->setObjectName(name);
  return group;
}

}  // namespace

TFormMain::TFormMain(const MainWindowSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      paths_(std::make_shared<PortPaths>()),
      RkComm1(invoker_, setup.backend ? setup.backend : MakeSystemSerialBackend(paths_)),
      identification_(RkComm1, GlobalVar()),
      polling_(RkComm1, GlobalVar()),
      errorPoll_(RkComm1, SharedPollingPause()),
      RkSetupCommDialog1(this),
      texts_("Main", MainTexts()) {
  FormMain = this;
  TWindowBase::SetPort(&RkComm1);
  clock_.start();
  setObjectName("FormMain");
  // The port as laid out; the configuration file may change it.
  RkComm1.SetFrameParitybit(TParityBit::Odd);
  RkComm1.SetHardware(THardware::UserDefined);
  BuildControls();
  SetUpComponents();
  BindSetupCommDialog();

  // 1. Caption. 2. Program folder. 3. Configuration. 4. Language.
  // 5, 6. Catalogues. Nothing before step 3 may depend on the settings.
  setWindowTitle(kApplicationTitle);
  TGlobalVar& g = GlobalVar();
  g.ProgramDir = setup.programDir;
  const std::string settingsProblem = ReadSettings();
  TekstFile_Lezen(g);
  ParameterDef_lezen(g);
  ParamNo_lezen(g);
  // 7 .. 11.
  g.LiveValuesOn = false;
  Disable_checkboxen_status_klemmen();
  LezenTeksten();
  g.ParameterSource = psNone;
  g.SetpointSource = psNone;
  CmdCalibratie->setVisible(setup.firstArgument.toLower() == "kwartzeil");
  if (!settingsProblem.empty()) ReportUnreadableSettings(settingsProblem);
  if (const QString failure = ApplyTrafficLogging(); !failure.isEmpty())
    statusBar()->showMessage(failure, 20000);
}

std::string TFormMain::ReadSettings() {
  TGlobalVar& g = GlobalVar();
  const SettingsLocation location = LocateSettingsFile(g.ProgramDir);
  settingsPath_ = location.path;
  int unit = 0;
  const SettingsReadResult settings = Configfile_lezen(settingsPath_, RkComm1, unit, g, *paths_);
  settingsFile_ = settings.file;
  SpinEditUnitSelect->setValue(unit);
  // An installed program's folder is no place for the user's files.
  if (!location.besideProgram && g.OpenCloseDialoogPath.empty())
    g.OpenCloseDialoogPath = S(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/");
  return settingsFile_ == SettingsFile::Unreadable ? settings.error : location.warning;
}

void TFormMain::ReportUnreadableSettings(const std::string& error) {
  // Said once; the file is left as it is at closing. The log line stays in
  // English, the status bar speaks the language of the tool.
  const auto text = [&](const std::string& notRead, const std::string& kept) {
    return notRead + " (" + error + "); " + kept;
  };
  const std::string log = text("Settings not read", "starting with defaults, the file is kept unchanged");
  std::fprintf(stderr, "vq2x-tool: %s\n", log.c_str());
  statusBar()->showMessage(Q(text(Tekst("Main", "SettingsNotRead", "Settings not read"),
                                  Tekst("Main", "SettingsKept", "starting with defaults, the file is kept unchanged"))),
                           20000);
}

TFormMain::~TFormMain() {
  if (FormMain == this) FormMain = nullptr;
}

int TFormMain::UnitNumber() const { return SpinEditUnitSelect->value(); }

void TFormMain::SetUnitNumber(int unit) { SpinEditUnitSelect->setValue(unit); }

void TFormMain::BuildControls() {
  auto* central = new QWidget(this);
  central->setObjectName("ClientArea");
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 4, 6, 2);
  layout->setSpacing(4);
  layout->addWidget(BuildTopRow());
  auto* middle = new QHBoxLayout;
  middle->setSpacing(6);
  middle->addWidget(BuildActualGroup(), 5);
  middle->addWidget(BuildInputOutputGroups(), 4);
  middle->addWidget(BuildAnalogGroups(), 5);
  layout->addLayout(middle, 1);
  layout->addWidget(BuildTerminalGroup());
  setCentralWidget(central);
  BuildStatusBar();
  BuildMenus();

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  Timer1->start();
  paintTimer_ = new QTimer(this);
  paintTimer_->setSingleShot(true);
  connect(paintTimer_, &QTimer::timeout, this, [this] { PaintLiveValues(); });

  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  central->setFixedSize(kClientWidth, kClientHeight - statusBar()->sizeHint().height());
}

QWidget* TFormMain::BuildTopRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  PanelComInfo = new ElidedLabel(row);
  PanelComInfo->setObjectName("PanelComInfo");
  PanelComInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SpinEditUnitSelect = new QSpinBox(row);
  SpinEditUnitSelect->setObjectName("SpinEditUnitSelect");
  SpinEditUnitSelect->setRange(0, 31);
  SpinEditUnitSelect->setToolTip("VQ8x no:");
  SpinEditUnitSelect->setAccessibleName("VQ8x no:");
  CmdSelectUnit = new QPushButton(texts_.Stored("CmdComOpen"), row);
  CmdSelectUnit->setObjectName("CmdSelectUnit");
  PanelErrorNo = MakePanel("PanelErrorNo", row, false);
  PanelErrorNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont bold = PanelErrorNo->font();
  bold.setBold(true);
  PanelErrorNo->setFont(bold);
  QPalette red = PanelErrorNo->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  PanelErrorNo->setPalette(red);
  layout->addWidget(PanelComInfo, 1);
  layout->addWidget(SpinEditUnitSelect);
  layout->addWidget(CmdSelectUnit);
  layout->addWidget(PanelErrorNo, 1);
  connect(CmdSelectUnit, &QPushButton::clicked, this, [this] { CmdSelectUnitClick(); });
  return row;
}

QWidget* TFormMain::BuildActualGroup() {
  auto* column = new QWidget(this);
  auto* outer = new QVBoxLayout(column);
  outer->setContentsMargins(0, 0, 0, 0);
  GroupBoxActual = MakeGroup("GroupBoxActual", column);
  auto* grid = new QGridLayout(GroupBoxActual);
  grid->setVerticalSpacing(3);
  static const char* kLabels[5] = {"LabelActPos", "LabelSnelheid", "LabelActPosLin", "LabelActPeakHold1",
                                   "LabelActPeakHold2"};
  static const char* kPanels[5] = {"PanelActPos", "PanelSnelheid", "PanelActPosLin", "PanelActPeakHold1",
                                   "PanelActPeakHold2"};
  for (int row = 0; row < 5; ++row)
    AddValueRow(grid, row, kLabels[row], static_cast<LiveQuantity>(row), kPanels[row]);
  CmdActual = MakeButton("CmdActual", column);
  CmdActual->setEnabled(false);
  connect(CmdActual, &QPushButton::clicked, this, [this] { ActualActief(); });
  outer->addWidget(GroupBoxActual);
  outer->addWidget(CmdActual);
  outer->addStretch(1);
  return column;
}

QGroupBox* TFormMain::BuildBoxGroup(const char* name, const QString& boxPrefix, const QString& labelPrefix,
                                    const QString& labelText, QWidget* parent, IndicatorBox** boxes, QLabel** labels,
                                    std::size_t count) {
  QGroupBox* group = MakeGroup(name, parent);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(3);
  for (std::size_t i = 0; i < count; ++i) {
    const QString n = QString::number(i + 1);
    boxes[i] = new IndicatorBox(boxPrefix + n, group);
    boxes[i]->setObjectName(boxPrefix + n);
    labels[i] = new QLabel(labelText + n, group);
    labels[i]->setObjectName(labelPrefix + n);
    grid->addWidget(boxes[i], static_cast<int>(i), 0);
    grid->addWidget(labels[i], static_cast<int>(i), 1);
  }
  grid->setColumnStretch(1, 1);
  return group;
}

// One row of a value group: a caption (none for a panel of its own) and the
// quantity's value panel.
QLabel* TFormMain::AddValueRow(QGridLayout* grid, int row, const char* labelName, LiveQuantity quantity,
                               const char* panelName) {
  QWidget* group = grid->parentWidget();
  QLabel* panel = MakePanel(panelName, group);
  ValuePanels[static_cast<std::size_t>(quantity)] = panel;
  grid->addWidget(panel, row, 1);
  grid->setColumnStretch(1, 1);
  if (labelName == nullptr) return nullptr;
  QLabel* label = MakeLabel(labelName, group);
  label->setBuddy(panel);
  grid->addWidget(label, row, 0);
  return label;
}

QWidget* TFormMain::BuildInputOutputGroups() {
  auto* column = new QWidget(this);
  auto* outer = new QVBoxLayout(column);
  outer->setContentsMargins(0, 0, 0, 0);
  GroupBoxIngangen = BuildBoxGroup("GroupBoxIngangen", "Tb_in", "LabelFun_in", "In ", column, InputBoxes.data(),
                                   InputFunctionLabels.data(), InputBoxes.size());
  GroupBoxUitgangen = BuildBoxGroup("GroupBoxUitgangen", "TbUitgang", "LabelFun_uit", "Out ", column,
                                    OutputBoxes.data(), OutputFunctionLabels.data(), OutputBoxes.size());
  CmdInUit = MakeButton("CmdInUit", column);
  CmdInUit->setEnabled(false);
  connect(CmdInUit, &QPushButton::clicked, this, [this] { InUitActief(); });
  outer->addWidget(GroupBoxIngangen);
  outer->addWidget(GroupBoxUitgangen);
  outer->addWidget(CmdInUit);
  outer->addStretch(1);
  return column;
}

QWidget* TFormMain::BuildAnalogGroups() {
  auto* column = new QWidget(this);
  auto* outer = new QVBoxLayout(column);
  outer->setContentsMargins(0, 0, 0, 0);
  GroupBox_ANA_UIT = MakeGroup("GroupBox_ANA_UIT", column);
  auto* out = new QGridLayout(GroupBox_ANA_UIT);
  out->setVerticalSpacing(3);
  AddValueRow(out, 0, "LabelSpanning_uit", LiveQuantity::Spanning_uit, "PanelSpanning_uit");
  AddValueRow(out, 1, "LabelStroom_uit", LiveQuantity::Stroom_uit, "PanelStroom_uit");

  GroupBox_ANA_IN = MakeGroup("GroupBox_ANA_IN", column);
  auto* in = new QGridLayout(GroupBox_ANA_IN);
  in->setVerticalSpacing(3);
  AddValueRow(in, 0, "LabelSpanning_in", LiveQuantity::Spanning_in, "PanelSpanning_in");
  AddValueRow(in, 1, "LabelStroom_in", LiveQuantity::Stroom_in, "PanelStroom_in");
  AddValueRow(in, 2, nullptr, LiveQuantity::Analoog_in_AWE, "PanelAnaloog_in_AWE");

  auto* buttons = new QHBoxLayout;
  CmdResetError = MakeButton("CmdResetError", column);
  CmdResetError->setEnabled(false);
  CmdCalibratie = MakeButton("CmdCalibratie", column);
  buttons->addWidget(CmdResetError);
  buttons->addWidget(CmdCalibratie);
  connect(CmdResetError, &QPushButton::clicked, this, [this] { CmdResetErrorClick(); });
  connect(CmdCalibratie, &QPushButton::clicked, this, [this] { ShowModal(FormCalibratie); });
  outer->addWidget(GroupBox_ANA_UIT);
  outer->addWidget(GroupBox_ANA_IN);
  outer->addLayout(buttons);
  outer->addStretch(1);
  return column;
}

QWidget* TFormMain::BuildTerminalGroup() {
  GroupBoxTerminal = MakeGroup("GroupBoxTerminal", this);
  auto* layout = new QGridLayout(GroupBoxTerminal);
  layout->setVerticalSpacing(3);
  EditZenden = new QLineEdit(GroupBoxTerminal);
  EditZenden->setObjectName("EditZenden");
  EditZenden->setAccessibleName("Terminal command");
  CmdTerminalZenden = MakeButton("CmdTerminalZenden", GroupBoxTerminal);
  CmdTerminalZenden->setDefault(true);
  MemoReceive = new QPlainTextEdit(GroupBoxTerminal);
  MemoReceive->setObjectName("MemoReceive");
  MemoReceive->setAccessibleName("Terminal reply");
  MemoReceive->setReadOnly(true);
  MemoReceive->setFixedHeight(46);
  MemoReceive->setTabChangesFocus(true);
  layout->addWidget(EditZenden, 0, 0);
  layout->addWidget(CmdTerminalZenden, 0, 1);
  layout->addWidget(MemoReceive, 1, 0, 1, 2);
  connect(CmdTerminalZenden, &QPushButton::clicked, this, [this] { CmdTerminalZendenClick(); });
  // The terminal's button is the window's default: Enter sends.
  connect(EditZenden, &QLineEdit::returnPressed, this, [this] {
    if (CmdTerminalZenden->isEnabled()) CmdTerminalZenden->click();
  });
  return GroupBoxTerminal;
}

void TFormMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(false);
  for (int i = 0; i < 6; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName("StatusPanel" + QString::number(i));
    panel->setMinimumWidth(kStatusPanelWidths[i]);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    StatusPanels[static_cast<std::size_t>(i)] = panel;
    bar->addWidget(panel);
  }
  StatusPanels[1]->setText("Offline");
  StatusPanelSnel = new QLabel(bar);
  StatusPanelSnel->setObjectName("StatusPanelSnel");
  StatusPanelSnel->setFrameShape(QFrame::Panel);
  StatusPanelSnel->setFrameShadow(QFrame::Sunken);
  StatusPanelSnel->hide();
  bar->addPermanentWidget(StatusPanelSnel);
}

void TFormMain::BuildMenus() {
  auto add = [this](QMenu* menu, const char* name, auto handler) {
    QAction* action = menu->addAction(LaidOut(name));
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  auto addMenu = [this](const char* name) {
    QMenu* menu = menuBar()->addMenu(LaidOut(name));
    menu->setObjectName(name);
    return menu;
  };
  menuBestand = addMenu("menuBestand");
  Exit1 = add(menuBestand, "Exit1", [this] { close(); });

  menuEdit = addMenu("menuEdit");
  Par11 = add(menuEdit, "Par11", [this] {
    StopPolling();
    ShowModal(FormEditParam);
  });
  Par21 = add(menuEdit, "Par21", [this] {
    StopPolling();
    ShowModal(FormEditSollwerten);
  });

  menuInstellingen = addMenu("menuInstellingen");
  Serial1 = add(menuInstellingen, "Serial1", [this] { ShowModal(FormInitSerial); });
  ww1 = add(menuInstellingen, "ww1", [this] { ShowModal(FormOpties); });

  menuCommunicatie = addMenu("menuCommunicatie");
  VQ80ontvangen1 = add(menuCommunicatie, "VQ80ontvangen1", [this] { ReceiveEverything(); });
  menuCommunicatie->addSeparator();
  Backup1 = add(menuCommunicatie, "Backup1", [this] { BackupClick(); });
  Restore1 = add(menuCommunicatie, "Restore1", [this] { RestoreClick(); });
  Report1 = add(menuCommunicatie, "Report1", [this] { ReportClick(); });
  menuCommunicatie->addSeparator();
  VQ20zoeken = add(menuCommunicatie, "VQ20zoeken", [this] { SearchDevices(); });

  menuVenster = addMenu("menuVenster");
  displaynokken1 = add(menuVenster, "displaynokken1", [this] { ShowModal(FormDisplayNokken); });
  Grafiek1 = add(menuVenster, "Grafiek1", [this] {
    Timer1->stop();
    ShowModal(FormGrafiek);
    Timer1->start();
  });
  Grafiek2 = add(menuVenster, "Grafiek2", [this] { ShowModal(FormLinearisatie); });

  menuHelp = addMenu("menuHelp");
  FormAbout = add(menuHelp, "FormAbout", [this] { ShowModal(::FormAbout); });
  Errno1 = add(menuHelp, "Errno1", [this] {
    if (QDialog* help = FormInfoErrorNummers) {
      help->show();
      help->raise();
    }
  });
}

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centred_) return;
  centred_ = true;
  setFixedSize(sizeHint());
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void TFormMain::closeEvent(QCloseEvent* event) {
  // 1. Close the port, which ends every polling cycle; the transcript
  // records the close and writes what it holds.
  SetPortActive(false);
  RkComm1.SetTrafficObserver(nullptr);
  transcript_.reset();
  // 2. Free the catalogues and the language texts.
  TGlobalVar& g = GlobalVar();
  g.ParameterCatalogue = IniDocument{};
  g.ParNoCatalogue = IniDocument{};
  g.LanguageTexts = IniDocument{};
  // 3. Write the configuration. A failure cannot be shown any more; say it
  // on the console at least.
  // (A file that could not be read at start was said so then, and stays.)
  std::string error;
  if (!ProgrammaInstellingen_opslaan(settingsPath_, settingsFile_, RkComm1, UnitNumber(), g, *paths_, &error) &&
      settingsFile_ != SettingsFile::Unreadable)
    std::fprintf(stderr, "vq2x-tool: settings not saved: %s\n", error.c_str());
  event->accept();
  // 4. End the program, also when a non-modal window is still shown.
  emit Closed();
}
