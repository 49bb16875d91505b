#include "params/ParamService.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Catalogue.h"
#include "model/Global_var.h"
#include "params/EditParam.h"
#include "ui/QtText.h"

TFormParamService* FormParamService = nullptr;

namespace {

constexpr int kWriteTimeoutMs = 500;
constexpr int kVisibleOptions = 12;
constexpr int kStatusFontPixels = 15;
constexpr int kClientWidth = 460;
// The value row: the caption stands above the field it names, the list
// further left than the shorter number field.
constexpr int kChoiceX = 38;
constexpr int kNumberX = 134;
constexpr int kChoiceWidth = kClientWidth - 2 * kChoiceX;
constexpr int kNumberWidth = kClientWidth - 2 * kNumberX;
constexpr int kFieldY = 20;
constexpr int kValueRowHeight = 48;

const ServiceText kNoSelectionText = InputCheckText(InputCheck::NoSelection);
const ServiceText kNotANumberText = InputCheckText(InputCheck::NotANumber);

// The window's texts in section "ParamService"; the status texts are kept.
const std::vector<TextRow> kParamServiceTexts = {
    {"LabelMin", "LabelMin", "min"},
    {"LabelMax", "LabelMax", "max"},
    {"LabelDefault", "LabelDefault", "default"},
    {"LabelParData", "LabelParData", "default"},
    {"CmdOK", "CmdOK", "OK"},
    {"CmdDefault", "CmdDefault", "Default"},
    {"CmdZenden", "CmdZenden", "Zenden"},
    {"CmdCancel", "CmdCancel", "annuleren"},
    {nullptr, "PanelTekst0", "tekst 0"},
    {nullptr, "PanelTekst1", "tekst 1"},
    {nullptr, "PanelTekst2", "tekst 2"},
    {nullptr, "PanelTekst3", "tekst 3"},
    {nullptr, "PanelTekst4", "tekst 4"},
    {nullptr, "PanelTekst5", "tekst 5"},
    {nullptr, "PanelTekst6", "tekst 6"},
    {nullptr, "PanelTekst7", "tekst 7"},
    {nullptr, "PanelTekst8", "tekst 8"},
    {nullptr, "PanelTekst9", "tekst 9"},
    {nullptr, "PanelTekst10", "tekst 10"},
    {nullptr, kNoSelectionText.Key, kNoSelectionText.Default},
    {nullptr, kNotANumberText.Key, kNotANumberText.Default},
};

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* MakeValuePanel(const char* name, QLabel* caption, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  panel->setMinimumHeight(22);
  panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  caption->setBuddy(panel);
  return panel;
}

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

QFont FieldFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setBold(true);
  return font;
}

const IniDocument& Parameters() {
  static const IniDocument none;
  return GlobalVar().CatalogueLoaded ? GlobalVar().ParameterCatalogue : none;
}

}  // namespace

TFormParamService::TFormParamService(QWidget* parent)
    : TWindowBase(parent, "FormParamService", "Param service"), texts_("ParamService", kParamServiceTexts) {
  // No close box: the window closes with its buttons or Escape.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  BuildControls();
  Wire(QL200ZendServiceParameter, kWriteTimeoutMs, {});
  Wire(QL200ServiceBerPar, kComputeReplyTimeoutMs, {});
  commands_ = std::make_unique<ParameterCommands>(&QL200ZendServiceParameter, &QL200ServiceBerPar);
  commands_->OnWritten = [this](WriteReply reply) { QL200ZendServiceParameterCommResult(reply); };
  commands_->OnComputed = [this](const ComputeResult& result) { QL200ServiceBerParCommResult(result); };
  commands_->OnFailure = [this](const TCommError& e) { ServiceCommError(e); };
}

void TFormParamService::BuildControls() {
  auto* outer = new QVBoxLayout(this);

  // Minimum, maximum and default side by side, each caption above its value.
  auto* limits = new QGridLayout;
  LabelMin = MakeLabel("LabelMin", "min", this);
  PanelMin = MakeValuePanel("PanelMin", LabelMin, this);
  LabelMax = MakeLabel("LabelMax", "max", this);
  PanelMax = MakeValuePanel("PanelMax", LabelMax, this);
  LabelDefault = MakeLabel("LabelDefault", "default", this);
  PanelDefault = MakeValuePanel("PanelDefault", LabelDefault, this);
  int column = 0;
  for (QLabel* caption : {LabelMin, LabelMax, LabelDefault}) {
    limits->addWidget(caption, 0, column);
    limits->addWidget(caption->buddy(), 1, column);
    limits->setColumnStretch(column++, 1);
  }
  limits->setHorizontalSpacing(12);
  outer->addLayout(limits);

  auto* valueRow = new QWidget(this);
  valueRow->setFixedSize(kClientWidth, kValueRowHeight);  // sets the window's width
  LabelParData = MakeLabel("LabelParData", "Waarde:", valueRow);
  ComboParData = new QComboBox(valueRow);
  ComboParData->setObjectName("ComboParData");
  ComboParData->setMaxVisibleItems(kVisibleOptions);
  ComboParData->setFont(FieldFont());
  ComboParData->setGeometry(kChoiceX, kFieldY, kChoiceWidth, ComboParData->sizeHint().height());
  MaskEditParData = new QLineEdit(valueRow);
  MaskEditParData->setObjectName("MaskEditParData");
  MaskEditParData->setFont(FieldFont());
  MaskEditParData->setAlignment(Qt::AlignRight);
  MaskEditParData->setGeometry(kNumberX, kFieldY, kNumberWidth, MaskEditParData->sizeHint().height());
  MaskEditParData->installEventFilter(this);
  outer->addWidget(valueRow);

  PanelService = new QLabel(this);
  PanelService->setObjectName("PanelService");
  PanelService->setFrameShape(QFrame::Panel);
  PanelService->setFrameShadow(QFrame::Sunken);
  PanelService->setAlignment(Qt::AlignCenter);
  PanelService->setWordWrap(true);
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(kStatusFontPixels);
  PanelService->setFont(bold);
  PanelService->setFixedHeight(2 * QFontMetrics(bold).height() + 8);
  outer->addWidget(PanelService);

  auto* buttons = new QHBoxLayout;
  CmdOK = MakeButton("CmdOK", "OK", this);
  CmdZenden = MakeButton("CmdZenden", "Zenden", this);
  CmdBerPar = MakeButton("CmdBerPar", "Laad par", this);
  CmdDefault = MakeButton("CmdDefault", "Default", this);
  CmdCancel = MakeButton("CmdCancel", "Afbreken", this);
  for (QPushButton* b : {CmdOK, CmdZenden, CmdBerPar, CmdDefault, CmdCancel}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  CmdOK->setDefault(true);  // Enter in the field is OK
  connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOKClick(); });
  connect(CmdZenden, &QPushButton::clicked, this, [this] { CmdZendenClick(); });
  connect(CmdBerPar, &QPushButton::clicked, this, [this] { CmdBerParClick(); });
  connect(CmdDefault, &QPushButton::clicked, this, [this] { CmdDefaultClick(); });
  connect(CmdCancel, &QPushButton::clicked, this, [this] { reject(); });
  outer->addLayout(buttons);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

// --- Opening ----------------------------------------------------------------

void TFormParamService::FormActivate() {
  texts_.Apply(*this);
  PanelService->clear();
  const TSelectedParameter& selected = GlobalVar().SelectedParameter;
  ParamNumber = ServiceParameterNumber(selected.NumberText).value_or(-1);
  PanelMin->setText(Q(selected.MinimumText));
  PanelMax->setText(Q(selected.MaximumText));
  PanelDefault->setText(Q(selected.DefaultText));
  setWindowTitle(Q(ServiceCaption(selected)));
  defaultText_ = selected.DefaultText;
  IsChoice = ParamNumber >= 0 && IsChoiceParameter(Parameters(), ParamNumber);
  if (IsChoice)
    ShowChoice();
  else
    ShowNumber(selected);
  EnableButtons(true);
  for (QPushButton* b : {CmdZenden, CmdBerPar}) b->setEnabled(PortOpen());
  // Nothing was handed over: only Cancel is of use.
  if (ParamNumber < 0)
    for (QPushButton* b : {CmdOK, CmdZenden, CmdBerPar, CmdDefault}) b->setEnabled(false);
}

void TFormParamService::ShowChoice() {
  MaskEditParData->hide();
  ComboParData->show();
  LabelParData->move(kChoiceX, 0);
  LabelParData->setBuddy(ComboParData);
  ComboParData->clear();
  for (const std::string& entry : ChoiceEntries(Parameters(), ParamNumber, GlobalVar().LanguageIndex))
    ComboParData->addItem(Q(entry));
  ComboParData->setCurrentIndex(
      EntryForValue(ComboParData->count(), GlobalVar().ParameterTable[static_cast<std::size_t>(ParamNumber)]));
  ComboParData->setFocus();
}

void TFormParamService::ShowNumber(const TSelectedParameter& selected) {
  ComboParData->hide();
  MaskEditParData->show();
  LabelParData->move(kNumberX, 0);
  LabelParData->setBuddy(MaskEditParData);
  rules_ = ParamNumber >= 0 ? MakeNumberFieldRules(Parameters(), ParamNumber, selected, GlobalVar().ParameterTable)
                            : NumberFieldRules{};
  Decimals = rules_.Decimals;
  MaxIntDigits = rules_.MaxIntDigits;
  MaskEditParData->setText(Q(selected.ValueText));
  MaskEditParData->selectAll();
  MaskEditParData->setFocus();
}

// --- Input --------------------------------------------------------------------

bool TFormParamService::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MaskEditParData && event->type() == QEvent::KeyPress && FilterKey(static_cast<QKeyEvent*>(event)))
    return true;
  return TWindowBase::eventFilter(watched, event);
}

// Returns true when the key is taken here (dropped, or its effect applied).
// Keys that type nothing (movement, Delete, Enter, Escape) and shortcuts
// such as paste pass: a pasted text is checked by the input test.
bool TFormParamService::FilterKey(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  char32_t typed = kBackspace;
  if (event->key() != Qt::Key_Backspace) {
    const QString text = event->text();
    if (text.isEmpty() || !text.front().isPrint()) return false;
    typed = text.toUcs4().front();
  }
  const QLineEdit& field = *MaskEditParData;
  const bool selected = field.hasSelectedText();
  const NumberFieldState state{S(field.text()), field.cursorPosition(),
                               selected ? field.selectionStart() : field.cursorPosition(),
                               selected ? static_cast<int>(field.selectedText().size()) : 0};
  const NumberFieldKey key = FilterNumberKey(state, typed, rules_);
  switch (key.Outcome) {
    case NumberFieldKey::Action::Drop: return true;
    case NumberFieldKey::Action::LetThrough: return false;
    case NumberFieldKey::Action::Replace:
      MaskEditParData->setText(Q(key.Text));
      MaskEditParData->setCursorPosition(key.Caret);
      return true;
  }
  return true;
}

bool TFormParamService::TestIngave() {
  PanelService->clear();
  const InputTestResult result = IsChoice ? TestIngaveChoice(ComboParData->currentIndex())
                                          : TestIngaveNumber(S(MaskEditParData->text()), rules_);
  if (result.Check != InputCheck::Ok) {
    ShowStatus(texts_.Stored(InputCheckText(result.Check).Key), true);
    if (IsChoice)
      ComboParData->setFocus();
    else
      MaskEditParData->setFocus();
    return false;
  }
  GlobalVar().ParameterTable[static_cast<std::size_t>(ParamNumber)] = result.Value;
  return true;
}

// --- Buttons ------------------------------------------------------------------

void TFormParamService::CmdOKClick() {
  if (ParamNumber >= 0 && TestIngave()) accept();
}

void TFormParamService::CmdDefaultClick() {
  if (IsChoice)
    ComboParData->setCurrentIndex(EntryForDefault(ComboParData->count(), defaultText_));
  else
    MaskEditParData->setText(Q(defaultText_));
}

void TFormParamService::CmdZendenClick() {
  if (ParamNumber < 0 || !TestIngave()) return;
  if (!PortOpen()) {
    ShowStatus(texts_.Stored("PanelTekst5"), true);
    return;
  }
  ShowStatus(texts_.Stored("PanelTekst1"), false);
  const std::int32_t value = GlobalVar().ParameterTable[static_cast<std::size_t>(ParamNumber)];
  commands_->Write(ParamNumber, value);
  EnableButtons(false);
}

void TFormParamService::CmdBerParClick() {
  if (!PortOpen()) {
    ShowStatus(texts_.Stored("PanelTekst5"), true);
    return;
  }
  commands_->Compute();
  ShowStatus(texts_.Stored("PanelTekst9"), false);
  EnableButtons(false);
}

// --- Replies ------------------------------------------------------------------

void TFormParamService::QL200ZendServiceParameterCommResult(WriteReply reply) {
  switch (reply) {
    case WriteReply::Written:
      if (FormEditParam != nullptr) FormEditParam->ParamSentNotLoaded = true;
      ShowStatus(texts_.Stored("PanelTekst4"), false);
      break;
    case WriteReply::Refused:
      // The value stays in ParameterTable; the device keeps its old one.
      ShowStatus("(er 7) " + texts_.Stored("PanelTekst6"), true);
      break;
    case WriteReply::Invalid:
      ShowStatus(texts_.Stored("PanelTekst5"), true);
      break;
  }
  EnableButtons(true);
}

void TFormParamService::QL200ServiceBerParCommResult(const ComputeResult& result) {
  if (result.Outcome != ComputeReply::Invalid && FormEditParam != nullptr) FormEditParam->ParamSentNotLoaded = false;
  switch (result.Outcome) {
    case ComputeReply::Computed:
      ShowStatus(texts_.Stored("PanelTekst10"), false);
      break;
    case ComputeReply::Failed:
      ShowStatus(texts_.Stored("PanelTekst7") + " " + Q(result.Code) + " " + texts_.Stored("PanelTekst8"), true);
      break;
    case ComputeReply::Invalid:
      ShowStatus(texts_.Stored("PanelTekst5"), true);
      break;
  }
  EnableButtons(true);
}

void TFormParamService::ServiceCommError(const TCommError& error) {
  if (error.Code == ceTimeout)
    ShowStatus(texts_.Stored("PanelTekst0"), true);
  else if (!error.IsSuccess())
    ShowStatus(texts_.Stored("PanelTekst5"), true);
  EnableButtons(true);
}

void TFormParamService::ShowStatus(const QString& text, bool failure) {
  QPalette palette = PanelService->palette();
  palette.setColor(QPalette::WindowText, failure ? QColor(Qt::red) : this->palette().color(QPalette::WindowText));
  PanelService->setPalette(palette);
  PanelService->setText(text);
}

void TFormParamService::EnableButtons(bool enabled) {
  for (QPushButton* b : {CmdDefault, CmdOK, CmdCancel, CmdBerPar, CmdZenden}) b->setEnabled(enabled);
}
