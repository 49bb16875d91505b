#include "tools/Calibratie.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "model/Global_var.h"
#include "model/MessageText.h"
#include "ui/QtText.h"

TFormCalibratie* FormCalibratie = nullptr;

namespace {

const QColor kGrey(128, 128, 128);
const QColor kReadingYellow(255, 255, 151);

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* MakePanel(const QString& name, QWidget* parent, int minimumWidth) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAutoFillBackground(true);
  panel->setAlignment(Qt::AlignCenter);
  panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  panel->setMinimumSize(minimumWidth, 21);
  return panel;
}

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

QSpinBox* MakeSpinBox(const QString& name, int minimum, int maximum, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(minimum, maximum);
  box->setAlignment(Qt::AlignRight);
  return box;
}

// Enabled: the caption and the labels in the window-text colour and the
// controls usable; disabled: grey captions and labels, controls disabled.
void ShowGroupEnabled(QGroupBox* group, bool enabled) {
  group->setEnabled(enabled);
  QPalette palette;  // nothing set: the window's colours
  if (!enabled)
    for (QPalette::ColorGroup state : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(state, role, kGrey);
  group->setPalette(palette);
}

void SetPanelBackground(QLabel* panel, const QColor& colour) {
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
}

const char* QuantityLabel(CalibrationQuantity quantity) {
  switch (quantity) {
    case CalibrationQuantity::Offset: return "Offset:";
    case CalibrationQuantity::GainNegative: return "Gain neg:";
    case CalibrationQuantity::GainPositive: return "Gain pos:";
  }
  return "";
}

const char* QuantityUnit(CalibrationQuantity quantity) {
  return quantity == CalibrationQuantity::Offset ? "in 311uV eenheden" : "in 0,1 mV eenheden";
}

// "SpinEdit_Gain_U_neg" -> "_Gain_U_neg": the part that names the word's labels.
QString WordSuffix(const CalibrationWord& word) { return QString(word.spinBoxName).mid(QString("SpinEdit").size()); }

QString ObjectSuffix(CalibrationGroup group) {
  switch (group) {
    case CalibrationGroup::DaVoltage: return "DA_Spanning";
    case CalibrationGroup::DaCurrent: return "DA_Stroom";
    case CalibrationGroup::AdVoltage: return "AD_Spanning";
    case CalibrationGroup::AdCurrent: return "AD_Stroom";
  }
  return {};
}

}  // namespace

TFormCalibratie::TFormCalibratie(QWidget* parent) : TWindowBase(parent, "FormCalibratie", "Calibratie") {
  BuildControls();
  SetUpComponents();
}

void TFormCalibratie::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(BuildModeRow());
  auto* groups = new QGridLayout;
  GroupBoxDA_Spanning = BuildWordGroup(CalibrationGroup::DaVoltage);
  GroupBoxDA_Stroom = BuildWordGroup(CalibrationGroup::DaCurrent);
  GroupBoxAD_Spanning = BuildWordGroup(CalibrationGroup::AdVoltage);
  GroupBoxAD_Stroom = BuildWordGroup(CalibrationGroup::AdCurrent);
  groups->addWidget(GroupBoxDA_Spanning, 0, 0);
  groups->addWidget(GroupBoxDA_Stroom, 0, 1);
  groups->addWidget(GroupBoxAD_Spanning, 1, 0);
  groups->addWidget(GroupBoxAD_Stroom, 1, 1);
  layout->addLayout(groups);
  layout->addWidget(BuildTeachGroup());
  Panel1 = MakePanel("Panel1", this, 0);
  Panel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  layout->addWidget(Panel1);
}

QWidget* TFormCalibratie::BuildModeRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* mode = new QGroupBox("Calibratie mode", row);
  mode->setObjectName("GroupBoxCalibratieMode");
  auto* modeLayout = new QHBoxLayout(mode);
  CmdSetKalibtatieMode = MakeButton("CmdSetKalibtatieMode", "Aan", mode);
  CmdResCalibtatieMode = MakeButton("CmdResCalibtatieMode", "Uit", mode);
  modeLayout->addWidget(CmdSetKalibtatieMode);
  modeLayout->addWidget(CmdResCalibtatieMode);

  GroupBoxDA_Select = new QGroupBox("DA Select", row);
  GroupBoxDA_Select->setObjectName("GroupBoxDA_Select");
  auto* select = new QHBoxLayout(GroupBoxDA_Select);
  CmdSet_U_actief = MakeButton("CmdSet_U_actief", "Spanning", GroupBoxDA_Select);
  CmdSet_I_actief = MakeButton("CmdSet_I_actief", "Stroom", GroupBoxDA_Select);
  CmdSet_I_InActief = MakeButton("CmdSet_I_InActief", "Geen", GroupBoxDA_Select);
  for (QPushButton* b : {CmdSet_U_actief, CmdSet_I_actief, CmdSet_I_InActief}) select->addWidget(b);

  CmdSaveToEEPROM = MakeButton("CmdSaveToEEPROM", "EEPROM", row);
  layout->addWidget(mode);
  layout->addWidget(GroupBoxDA_Select);
  layout->addStretch(1);
  layout->addWidget(CmdSaveToEEPROM, 0, Qt::AlignBottom);

  connect(CmdSetKalibtatieMode, &QPushButton::clicked, this, [this] { commands_.Send(kCmdCalibrationModeOn); });
  connect(CmdResCalibtatieMode, &QPushButton::clicked, this, [this] { CmdResCalibtatieModeClick(); });
  connect(CmdSet_U_actief, &QPushButton::clicked, this, [this] { commands_.Send(kCmdVoltageOutput); });
  connect(CmdSet_I_actief, &QPushButton::clicked, this, [this] { commands_.Send(kCmdCurrentOutput); });
  connect(CmdSet_I_InActief, &QPushButton::clicked, this, [this] { commands_.Send(kCmdNoOutput); });
  connect(CmdSaveToEEPROM, &QPushButton::clicked, this, [this] { commands_.Send(kCmdSaveToEeprom); });
  return row;
}

// A group of three calibration words (offset, gain negative, gain
// positive), then the output levels of a DA group or the live reading of an
// AD group.
QGroupBox* TFormCalibratie::BuildWordGroup(CalibrationGroup which) {
  auto* group = new QGroupBox(CalibrationGroupCaption(which), this);
  group->setObjectName("GroupBox" + ObjectSuffix(which));
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(4);
  int row = 0;
  for (CalibrationQuantity quantity :
       {CalibrationQuantity::Offset, CalibrationQuantity::GainNegative, CalibrationQuantity::GainPositive}) {
    for (int i = 0; i < kCalibrationWordCount; ++i) {
      const CalibrationWord& word = CalibrationWords()[static_cast<std::size_t>(i)];
      if (word.group != which || word.quantity != quantity) continue;
      const bool unlimited = word.minimum == 0 && word.maximum == 0;
      QSpinBox* box = MakeSpinBox(word.spinBoxName, unlimited ? std::numeric_limits<int>::min() : word.minimum,
                                  unlimited ? std::numeric_limits<int>::max() : word.maximum, group);
      QLabel* label = MakeLabel("Label" + WordSuffix(word), QuantityLabel(quantity), group);
      label->setBuddy(box);
      grid->addWidget(label, row, 0);
      grid->addWidget(box, row, 1, 1, 4);
      grid->addWidget(MakeLabel("LabelUnit" + WordSuffix(word), QuantityUnit(quantity), group), row, 5, 1, 2);
      CalibrationSpinBoxes[static_cast<std::size_t>(i)] = box;
      connect(box, &QSpinBox::valueChanged, this, [this, i](int value) { SpinBoxChanged(i, value); });
      ++row;
    }
  }
  switch (which) {
    case CalibrationGroup::DaVoltage: AddLevelBoxes(group, grid, AnalogOutputKind::Voltage); break;
    case CalibrationGroup::DaCurrent: AddLevelBoxes(group, grid, AnalogOutputKind::Current); break;
    case CalibrationGroup::AdVoltage: AddReading(group, grid, AnalogInput::Voltage); break;
    case CalibrationGroup::AdCurrent: AddReading(group, grid, AnalogInput::Current); break;
  }
  return group;
}

// The three output levels side by side, each with its unit and its "Set"
// button below it.
void TFormCalibratie::AddLevelBoxes(QGroupBox* group, QGridLayout* grid, AnalogOutputKind kind) {
  const int row = grid->rowCount();
  int column = 0;
  for (int i = 0; i < kOutputLevelBoxCount; ++i) {
    const OutputLevelBox& level = OutputLevelBoxes()[static_cast<std::size_t>(i)];
    if (level.kind != kind) continue;
    QSpinBox* box = MakeSpinBox(level.spinBoxName, level.minimum, level.maximum, group);
    const char* unit = kind == AnalogOutputKind::Voltage ? "V" : "mA";
    QLabel* unitLabel = MakeLabel(QString("LabelUnit") + level.spinBoxName, unit, group);
    QPushButton* set = MakeButton(level.buttonName, "Set", group);
    unitLabel->setBuddy(box);
    grid->addWidget(box, row, column, 1, 1);
    grid->addWidget(unitLabel, row, column + 1);
    grid->addWidget(set, row + 1, column, 1, 1);
    LevelSpinBoxes[static_cast<std::size_t>(i)] = box;
    SetButtons[static_cast<std::size_t>(i)] = set;
    connect(set, &QPushButton::clicked, this, [this, i] { SetLevel(i); });
    column += 2;
  }
}

void TFormCalibratie::AddReading(QGroupBox* group, QGridLayout* grid, AnalogInput input) {
  const int row = grid->rowCount();
  const bool voltage = input == AnalogInput::Voltage;
  QPushButton* button = MakeButton(voltage ? "CmdAct_U_AD" : "CmdAct_I_AD", "ON", group);
  QLabel* panel = MakePanel(voltage ? "Panel_U_AD" : "Panel_I_AD", group, 110);
  grid->addWidget(button, row, 0, 1, 2);
  grid->addWidget(panel, row, 2, 1, 5);
  (voltage ? CmdAct_U_AD : CmdAct_I_AD) = button;
  (voltage ? Panel_U_AD : Panel_I_AD) = panel;
  connect(button, &QPushButton::clicked, this, [this, voltage] {
    ApplyReadingSwitch(voltage ? model_.ToggleVoltageReading() : model_.ToggleCurrentReading());
  });
}

QGroupBox* TFormCalibratie::BuildTeachGroup() {
  GroupBoxDA_Teach = new QGroupBox("DA Teach waarden", this);
  GroupBoxDA_Teach->setObjectName("GroupBoxDA_Teach");
  auto* grid = new QGridLayout(GroupBoxDA_Teach);
  for (int i = 0; i < kTeachWordCount; ++i) {
    const TeachWord& teach = TeachWords()[static_cast<std::size_t>(i)];
    QLabel* panel = MakePanel(teach.panelName, GroupBoxDA_Teach, 80);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLabel* label = MakeLabel(QString("Label") + teach.panelName, teach.label, GroupBoxDA_Teach);
    label->setBuddy(panel);
    grid->addWidget(label, i % 2, (i / 2) * 2);
    grid->addWidget(panel, i % 2, (i / 2) * 2 + 1);
    TeachPanels[static_cast<std::size_t>(i)] = panel;
  }
  cmd_LeesDAC_Teach = MakeButton("cmd_LeesDAC_Teach", "Lees", GroupBoxDA_Teach);
  grid->addWidget(cmd_LeesDAC_Teach, 0, 4, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  grid->setColumnStretch(4, 1);
  connect(cmd_LeesDAC_Teach, &QPushButton::clicked, this, [this] { chains_->ReadTeachValues(); });
  return GroupBoxDA_Teach;
}

void TFormCalibratie::SetUpComponents() {
  Wire(QL200Kalibratie, 0, [this](const ResultBytes& r) { QL200KalibratieCommResult(r); },
       [this](const TCommError& e) {
         commands_.Finished();
         QL200KalibratieCommError(e);
       });
  Wire(QL200Lees_U_AD, 0, [this](const ResultBytes& r) { LiveReadingResult(AnalogInput::Voltage, r); },
       [this](const TCommError& e) { QL200KalibratieCommError(e); });
  Wire(QL200Lees_I_AD, 0, [this](const ResultBytes& r) { LiveReadingResult(AnalogInput::Current, r); },
       [this](const TCommError& e) { QL200KalibratieCommError(e); });
  SetUpChains();
}

// The read and teach chains and the input-mode switch report through the
// chains, which take over their components' events.
void TFormCalibratie::SetUpChains() {
  for (TQL200Protocol* c : {&QL200LeesKalibratieWaarden, &QL200Lees_DAC_TeachWaarden, &QL200IngangModus})
    Wire(*c, 0, {}, {});
  chains_ = std::make_unique<CalibrationChains>(model_, QL200LeesKalibratieWaarden, QL200Lees_DAC_TeachWaarden,
                                                QL200IngangModus);
  chains_->Status = [this](const CalibrationStatus& status) { ShowStatus(status); };
  // The box's change event follows; the model knows this value already and
  // writes nothing back.
  chains_->WordRead = [this](int word, std::int32_t value) {
    CalibrationSpinBoxes[static_cast<std::size_t>(word)]->setValue(value);
  };
  chains_->TeachValueRead = [this](int teach, const std::string& text) {
    TeachPanels[static_cast<std::size_t>(teach)]->setText(Q(text));
  };
  chains_->InputModeSwitched = [this](AnalogInput input, bool taken) { InputModeSwitched(input, taken); };
}

void TFormCalibratie::FormActivate() {
  commands_.Clear();
  for (int i = 0; i < kOutputLevelBoxCount; ++i)
    LevelSpinBoxes[static_cast<std::size_t>(i)]->setValue(OutputLevelBoxes()[static_cast<std::size_t>(i)].activationValue);
  model_.Activate();
  chains_->ReadAll();
  ApplyControls();
  for (QLabel* panel : {Panel_U_AD, Panel_I_AD}) SetPanelBackground(panel, palette().color(QPalette::Button));
}

void TFormCalibratie::reject() {
  ApplyReadingSwitch(model_.StopReadings());
  if (model_.CloseNeedsWarning()) {
    QString text = Q(WrapMessage(kCloseWarningText, kMessageWidth));
    text.replace("\r\n", "\n");
    QMessageBox box(QMessageBox::Warning, kCloseWarningCaption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName("CloseWarning");
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  TWindowBase::reject();
}

void TFormCalibratie::QL200KalibratieCommResult(const ResultBytes& reply) {
  commands_.Finished();
  ShowStatus(model_.CommandReply(reply, GlobalVar().DeviceType));
  ApplyControls();
}

void TFormCalibratie::QL200KalibratieCommError(const TCommError& error) {
  if (const auto text = CalibrationErrorText(error)) ShowStatus({*text, true});
}

void TFormCalibratie::LiveReadingResult(AnalogInput input, const ResultBytes& reply) {
  if (const auto text = model_.LiveReading(input, reply))
    (input == AnalogInput::Voltage ? Panel_U_AD : Panel_I_AD)->setText(Q(*text));
}

void TFormCalibratie::SpinBoxChanged(int wordIndex, int value) {
  const CalibrationWord& word = CalibrationWords()[static_cast<std::size_t>(wordIndex)];
  if (const auto command = model_.SpinBoxChanged(word.address, value)) commands_.Send(*command);
}

void TFormCalibratie::SetLevel(int levelIndex) {
  const OutputLevelBox& level = OutputLevelBoxes()[static_cast<std::size_t>(levelIndex)];
  commands_.Send(DriveOutputCommand(level.kind, LevelSpinBoxes[static_cast<std::size_t>(levelIndex)]->value()));
}

void TFormCalibratie::CmdResCalibtatieModeClick() {
  commands_.Send(kCmdCalibrationModeOff);
  ApplyReadingSwitch(model_.StopReadings());
}

void TFormCalibratie::ApplyReadingSwitch(const ReadingSwitch& change) {
  if (change.stopVoltage) StopReading(AnalogInput::Voltage);
  if (change.stopCurrent) StopReading(AnalogInput::Current);
  if (change.start) StartReading(*change.start);
}

void TFormCalibratie::StopReading(AnalogInput input) {
  const bool voltage = input == AnalogInput::Voltage;
  (voltage ? QL200Lees_U_AD : QL200Lees_I_AD).SetCyclic(false);
  QLabel* panel = voltage ? Panel_U_AD : Panel_I_AD;
  panel->clear();
  SetPanelBackground(panel, palette().color(QPalette::Button));
  (voltage ? CmdAct_U_AD : CmdAct_I_AD)->setText("ON");
}

// The reading is polled once the device has taken the input mode over
// (InputModeSwitched), so no reading of the other mode is shown.
void TFormCalibratie::StartReading(AnalogInput input) {
  const bool voltage = input == AnalogInput::Voltage;
  SetPanelBackground(voltage ? Panel_U_AD : Panel_I_AD, kReadingYellow);
  (voltage ? CmdAct_U_AD : CmdAct_I_AD)->setText("OFF");
  chains_->SwitchInputMode(input);
}

void TFormCalibratie::InputModeSwitched(AnalogInput input, bool taken) {
  const bool voltage = input == AnalogInput::Voltage;
  // Switched off (or to the other input) meanwhile: nothing to poll.
  if (!(voltage ? model_.MeasuringU_AD() : model_.MeasuringI_AD())) return;
  if (!taken) {
    ApplyReadingSwitch(model_.StopReadings());
    return;
  }
  TQL200Protocol& component = voltage ? QL200Lees_U_AD : QL200Lees_I_AD;
  component.ASCIIProtocol = LiveReadingCommand(input);
  component.SetCyclic(true);
}

void TFormCalibratie::ApplyControls() {
  const CalibrationControls& c = model_.Controls();
  ShowGroupEnabled(GroupBoxDA_Spanning, c.voltageOutputGroup);
  ShowGroupEnabled(GroupBoxDA_Stroom, c.currentOutputGroup);
  ShowGroupEnabled(GroupBoxAD_Spanning, c.inputGroups);
  ShowGroupEnabled(GroupBoxAD_Stroom, c.inputGroups);
  ShowGroupEnabled(GroupBoxDA_Select, c.outputSelection);
  CmdSaveToEEPROM->setEnabled(c.saveButton);
}

void TFormCalibratie::ShowStatus(const CalibrationStatus& status) {
  Panel1->setText(Q(status.text));
  QPalette palette;  // the window-text colour
  if (status.red) palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  Panel1->setPalette(palette);
}
