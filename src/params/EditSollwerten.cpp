#include "params/EditSollwerten.h"

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

#include "model/FileDialogFilter.h"
#include "model/Global_var.h"
#include "model/MessageText.h"
#include "model/SetpointFile.h"
#include "model/SetpointGrid.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "params/SetpointGridView.h"
#include "tools/AfdrukkenSoll.h"
#include "ui/WindowLinks.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

TFormEditSollwerten* FormEditSollwerten = nullptr;

namespace {

constexpr int kSetpointsMode = 1;  // the read and write windows' mode for the setpoints alone

// Texts of section "EditSollwert"; the laid-out captions are the built-in
// texts ("&&" shows one ampersand in a menu).
const std::vector<TextRow> kTexts = {
    {"", "Caption", "Edit Sollw"},
    {nullptr, "Kolomtekst_no", "No"},
    {nullptr, "Kolomtekst_waarde", "No"},
    {"menuBestand", "menuBestand", "Bestand"},
    {"subOpenen", "subOpenen", "Openen"},
    {"subOpslaanAls", "subOpslaanAls", "Opslaan als..."},
    {"subAfdrukken", "subAfdrukken", "Afdruk"},
    {"subAfsluiten", "subAfsluiten", "Afsluiten"},
    {"menuZendenOntvangen", "menuZendenOntvangen", "Zenden && ontvangen"},
    {"subParOntvangen", "subParOntvangen", "Par ontvangen"},
    {"subParZenden", "subParZenden", "Par zenden"},
    {nullptr, "Msg_SollwertOngeldig", "Ingane ongeldig!"},
};

// Column titles of the grid as laid out, shown while no language file is
// loaded.
const char* const kLaidOutNumberTitle = "Nr.";
const char* const kLaidOutValueTitle = "Waarde";

// The dialogs offer setpoint files whatever the language file says.
const char* const kBuiltInFilter = "Setpoint files (*.vqs)|*.vqs";
const char* const kSetpointFileSuffix = "vqs";

}  // namespace

TFormEditSollwerten::TFormEditSollwerten(QWidget* parent)
    : TWindowBase(parent, "FormEditSollwerten", "Edit Sollw"), texts_("EditSollwert", kTexts) {
  StringGrid1 = new SetpointGridView(this);
  StringGrid1->setObjectName("StringGrid1");
  Panel1 = new QLabel(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setWordWrap(true);
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setFixedSize(StringGrid1->width(), 2 * Panel1->fontMetrics().lineSpacing() + 8);
  QFont bold = Panel1->font();
  bold.setBold(true);
  Panel1->setFont(bold);
  QPalette red = Panel1->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Panel1->setPalette(red);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  BuildMenus();
  layout->setMenuBar(SollMenu1);
  layout->addWidget(StringGrid1);
  layout->addWidget(Panel1);

  StringGrid1->SetHeaderText(0, kLaidOutNumberTitle);
  StringGrid1->SetHeaderText(3, kLaidOutNumberTitle);
  StringGrid1->SetHeaderText(kFirstHalfColumn, kLaidOutValueTitle);
  StringGrid1->SetHeaderText(kSecondHalfColumn, kLaidOutValueTitle);
  connect(StringGrid1, &SetpointGridView::EnterPressed, this, &TFormEditSollwerten::StringGrid1Enter);
  connect(StringGrid1, &SetpointGridView::EscapePressed, this, &TFormEditSollwerten::StringGrid1Escape);
}

void TFormEditSollwerten::BuildMenus() {
  SollMenu1 = new QMenuBar(this);
  SollMenu1->setObjectName("SollMenu1");
  auto add = [this](QMenu* menu, const char* name, const QString& text, void (TFormEditSollwerten::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  menuBestand = SollMenu1->addMenu("Bestand");
  menuBestand->setObjectName("menuBestand");
  subOpenen = add(menuBestand, "subOpenen", "Openen", &TFormEditSollwerten::OpenClick);
  subOpslaanAls = add(menuBestand, "subOpslaanAls", "Opslaan als...", &TFormEditSollwerten::SaveAsClick);
  menuBestand->addSeparator();
  subAfdrukken = add(menuBestand, "subAfdrukken", "Afdruk", &TFormEditSollwerten::PrintClick);
  menuBestand->addSeparator();
  subAfsluiten = add(menuBestand, "subAfsluiten", "Afsluiten", &TFormEditSollwerten::reject);

  menuZendenOntvangen = SollMenu1->addMenu("Zenden && ontvangen");
  menuZendenOntvangen->setObjectName("menuZendenOntvangen");
  subParOntvangen = add(menuZendenOntvangen, "subParOntvangen", "Par ontvangen", &TFormEditSollwerten::ReceiveClick);
  subParZenden = add(menuZendenOntvangen, "subParZenden", "Par zenden", &TFormEditSollwerten::SendClick);
}

void TFormEditSollwerten::FormActivate() {
  if (texts_.Apply(*this)) ApplyHeaderTexts();
  subParOntvangen->setEnabled(PortOpen());
  subParZenden->setEnabled(PortOpen());
  BuildGrid();
  StringGrid1->SelectCell(kFirstHalfColumn, 1);
  StringGrid1->setFocus();
  Panel1->clear();
}

void TFormEditSollwerten::ApplyHeaderTexts() {
  for (int column = 0; column < kSetpointGridColumns; ++column) {
    const SetpointHeaderText header = SetpointHeader(column);
    if (*header.Key != '\0') StringGrid1->SetHeaderText(column, texts_.Stored(header.Key));
  }
}

void TFormEditSollwerten::BuildGrid() {
  StringGrid1->CloseEditor();
  const TGlobalVar& g = GlobalVar();
  for (int row = 1; row <= kSetpointGridRows; ++row)
    for (int column = 0; column < kSetpointGridColumns; ++column)
      StringGrid1->SetCellText(column, row, Q(SetpointCellText(column, row, g.SetpointTable, g.ParameterTable)));
}

// Enter stores the typed value and goes on one row down with the editor
// open; an invalid value brings the stored one back.
void TFormEditSollwerten::StringGrid1Enter() {
  TGlobalVar& g = GlobalVar();
  const int column = StringGrid1->Column();
  const int row = StringGrid1->Row();
  const SetpointEntry entry =
      EnterSetpointCell(S(StringGrid1->EnteredText()), column, row, g.SetpointTable, g.ParameterTable);
  if (entry.Setpoint == 0) return;
  StringGrid1->CloseEditor();
  StringGrid1->SetCellText(column, row, Q(entry.CellText));
  if (!entry.Accepted) {
    Panel1->setText(texts_.Stored("Msg_SollwertOngeldig"));
    return;
  }
  Panel1->clear();
  g.SetpointTable[static_cast<std::size_t>(entry.Setpoint)] = entry.Value;
  if (entry.NextRow != row) {
    StringGrid1->SelectCell(column, entry.NextRow);
    StringGrid1->OpenEditor();
  }
}

void TFormEditSollwerten::StringGrid1Escape() {
  const TGlobalVar& g = GlobalVar();
  const int column = StringGrid1->Column();
  const int row = StringGrid1->Row();
  StringGrid1->CloseEditor();
  StringGrid1->SetCellText(column, row, Q(RestoredSetpointText(column, row, g.SetpointTable, g.ParameterTable)));
  Panel1->clear();
}

QString TFormEditSollwerten::Text(const char* key, const char* builtIn) const {
  return GlobalVar().LanguageLoaded ? texts_.Lookup(key, builtIn) : QString(builtIn);
}

void TFormEditSollwerten::ShowFileError(const QString& text) {
  QMessageBox box(QMessageBox::Critical, Text("Msg_ErrorCaption", "Error"), text, QMessageBox::Ok, this);
  box.setObjectName("FileErrorBox");
  box.exec();
}

void TFormEditSollwerten::OpenClick() {
  StringGrid1->CloseEditor();
  QString filter = Q(DialogFilter(S(Text("OpenFilter", kBuiltInFilter))));
  if (filter.isEmpty()) filter = Q(DialogFilter(kBuiltInFilter));
  const QString path =
      ChooseFile(this, FileChoice::Open, Text("OpenCaption", "Open setpoint file"), filter, kSetpointFileSuffix);
  if (!path.isEmpty()) OpenFile(path);
}

void TFormEditSollwerten::SaveAsClick() {
  StringGrid1->CloseEditor();
  QString filter = Q(DialogFilter(S(Text("OpenFilter", kBuiltInFilter))));
  if (filter.isEmpty()) filter = Q(DialogFilter(kBuiltInFilter));
  const QString path =
      ChooseFile(this, FileChoice::Save, Text("SaveCaption", "Save setpoint file"), filter, kSetpointFileSuffix);
  if (!path.isEmpty()) SaveFile(path);
}

bool TFormEditSollwerten::OpenFile(const QString& path) {
  const SetpointFileRead read = LoadSetpointFile(S(path));
  switch (read.outcome) {
    case ValueFileOutcome::Loaded: {
      TGlobalVar& g = GlobalVar();
      for (int n = 1; n <= kSetpointCount; ++n)
        g.SetpointTable[static_cast<std::size_t>(n)] = read.setpoints[static_cast<std::size_t>(n)];
      g.SetpointSource = psFile;
      BuildGrid();
      Panel1->clear();
      return true;
    }
    case ValueFileOutcome::CannotOpen:
      ShowFileError(Text("OpenMsg1", "The setpoint file cannot be opened.") + "\n\n" + Q(read.systemText));
      break;
    case ValueFileOutcome::WrongHeader:
      ShowFileError(Text("OpenMsg2", "This file is not a setpoint file. No setpoints have been taken over."));
      break;
    case ValueFileOutcome::BadLine:
      ShowFileError(
          Text("OpenMsg3", "The setpoint file contains an invalid line. No setpoints have been taken over."));
      break;
    case ValueFileOutcome::WrongCount:
      ShowFileError(Text("OpenMsg4",
                         "The setpoint file does not contain exactly 25 value lines. No setpoints have been taken "
                         "over."));
      break;
  }
  return false;
}

bool TFormEditSollwerten::SaveFile(const QString& path) {
  const TGlobalVar& g = GlobalVar();
  const int unit = Links().main != nullptr ? Links().main->UnitNumber() : 0;
  std::string error;
  if (SaveSetpointFile(S(path), g.SetpointTable, g.ParameterTable, unit, &error)) return true;
  ShowFileError(Q(error));
  return false;
}

void TFormEditSollwerten::ReceiveClick() {
  StringGrid1->CloseEditor();
  if (FormLeesParSoll != nullptr) {
    FormLeesParSoll->Mode = kSetpointsMode;
    if (FormLeesParSoll->exec() == QDialog::Accepted) {
      TGlobalVar& g = GlobalVar();
      for (int n = 1; n <= kSetpointCount; ++n)
        g.SetpointTable[static_cast<std::size_t>(n)] = FormLeesParSoll->ReceivedSetpoints[static_cast<std::size_t>(n)];
      g.SetpointSource = psDevice;
    }
  }
  BuildGrid();
}

void TFormEditSollwerten::SendClick() {
  StringGrid1->CloseEditor();
  const auto warning = SendSetpointsWarning(WarningText);
  if (FormSchrijfParSoll != nullptr &&
      (GlobalVar().SetpointSource != psNone || ConfirmUnknownSetpoints(kEditSollwertSection, warning))) {
    FormSchrijfParSoll->Mode = kSetpointsMode;
    FormSchrijfParSoll->SendSetpoints = GlobalVar().SetpointTable;
    FormSchrijfParSoll->exec();
  }
  BuildGrid();
}

void TFormEditSollwerten::PrintClick() {
  StringGrid1->CloseEditor();
  const auto warning = PrintSetpointsWarning(WarningText);
  if (FormAfdrukkenSoll != nullptr &&
      (GlobalVar().SetpointSource != psNone || ConfirmUnknownSetpoints(kPrintSection, warning)))
    FormAfdrukkenSoll->exec();
  BuildGrid();
}

bool TFormEditSollwerten::ConfirmUnknownSetpoints(const char* section, const std::string& text) {
  QMessageBox box(QMessageBox::Warning, Q(WarningText(section, kWarningCaptionKey)), MessageLines(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  box.setObjectName("WarningBox");
  return box.exec() == QMessageBox::Yes;
}
