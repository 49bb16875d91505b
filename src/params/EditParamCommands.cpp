// The parameter editor's menu commands: parameter files, the catalogue
// defaults, receiving and sending all parameters, the printout and the
// windows it opens, and closing.
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTableWidget>
#include <QWindow>
#include <cerrno>
#include <cstring>
#include <map>
#include <string_view>

#include "model/Catalogue.h"
#include "model/FileDialogFilter.h"
#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/MessageText.h"
#include "model/ParameterFile.h"
#include "params/EditParam.h"
#include "params/LeesParSoll.h"
#include "params/ParLoader.h"
#include "params/SchrijfParSoll.h"
#include "params/Vergelijken.h"
#include "tools/AfdrukkenPar.h"
#include "ui/WindowLinks.h"
#include "ui/QtText.h"

namespace {

constexpr const char* kOpenFilter = "ASCII Parameterbestand (*.vqp)|*.vqp";
constexpr const char* kSaveFilter = "*.vqp";
constexpr const char* kExtension = "vqp";

// What the messages say while no language file is loaded. The language
// files have a text for each; these keep a message from being empty.
const std::map<std::string_view, const char*> kBuiltInMessages = {
    {"Msg_ErrorCaption", "Fout"},
    {"Msg_InfoCaption", "Informatie"},
    {"OpenMsg1", "Het parameterbestand kan niet worden geopend."},
    {"OpenMsg2", "Dit bestand is geen parameterbestand. Er zijn geen parameters overgenomen."},
    {"OpenMsg3", "Het parameterbestand bevat een ongeldige regel. Er zijn geen parameters overgenomen."},
    {"OpenMsg4", "Het parameterbestand bevat niet precies 316 parameters. Er zijn geen parameters overgenomen."},
    {"msg_ErrorSetDefaultPar", "De standaardwaarden kunnen niet worden geladen: Parameters.txt ontbreekt."},
    {"msg_DefaultParGeladen", "De standaardwaarden zijn geladen."},
};


std::string FolderOf(const QString& file) { return S(QFileInfo(file).absolutePath()) + "/"; }

}  // namespace

// --- Messages ---------------------------------------------------------------------

QString TFormEditParam::Message(const char* key) const {
  if (GlobalVar().LanguageLoaded) return texts_.Lookup(key);
  const auto it = kBuiltInMessages.find(key);
  return it != kBuiltInMessages.end() ? Q(it->second) : QString();
}

void TFormEditParam::ShowError(const QString& text, const QString& detail) {
  QMessageBox box(QMessageBox::Critical, Message("Msg_ErrorCaption"), text, QMessageBox::Ok, this);
  box.setObjectName("EditParamError");
  if (!detail.isEmpty()) box.setInformativeText(detail);
  box.exec();
}

// Only the message box takes the warning's caption; the editor keeps its own.
QMessageBox::StandardButton TFormEditParam::AskWarning(const char* section, const QString& text, const char* name) {
  QMessageBox box(QMessageBox::Warning, Q(WarningText(section, kWarningCaptionKey)), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  box.setObjectName(name);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void TFormEditParam::RefreshFunctionTexts() {
  if (Links().main != nullptr) Links().main->RefreshFunctionTexts();
}

void TFormEditParam::TakeOver(const std::array<std::int32_t, kParameterCount>& parameters, int source) {
  GlobalVar().ParameterTable = parameters;
  GlobalVar().ParameterSource = source;
  BuildGridRows();
  StringGrid1SelectCell(StringGrid1->currentRow());
  RefreshFunctionTexts();
}

// --- Files --------------------------------------------------------------------------

void TFormEditParam::OpenClick() {
  const bool language = GlobalVar().LanguageLoaded;
  QFileDialog dialog(this, language ? texts_.Lookup("OpenCaption") : QString(), Q(GlobalVar().OpenCloseDialoogPath));
  dialog.setObjectName("OpenDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(Q(DialogFilter(language ? S(texts_.Lookup("OpenFilter", kOpenFilter)) : kOpenFilter)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().front();
  GlobalVar().OpenCloseDialoogPath = FolderOf(file);

  const ParameterFileRead read = LoadParameterFile(S(file));
  if (!read.Loaded()) {
    QString detail = Q(read.systemText);
    if (read.outcome == ValueFileOutcome::BadLine) detail = QString("%1: %2").arg(file).arg(read.line);
    ShowError(Message(OpenMessageKey(read.outcome)), detail);
    return;
  }
  TakeOver(read.parameters, psFile);
}

void TFormEditParam::SaveAsClick() {
  const bool language = GlobalVar().LanguageLoaded;
  QFileDialog dialog(this, language ? texts_.Lookup("SaveCaption") : QString(), Q(GlobalVar().OpenCloseDialoogPath));
  dialog.setObjectName("SaveDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(kExtension);
  dialog.setNameFilter(Q(DialogFilter(language ? S(texts_.Lookup("OpenFilter", kOpenFilter)) : kSaveFilter)));
  QString file;
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    file = dialog.selectedFiles().front();
    const QFileInfo info(file);
    if (!info.exists() || info.isWritable()) break;
    // A read-only file is not replaced; another name can be chosen.
    ShowError(QString("%1: %2").arg(file, QString::fromLocal8Bit(std::strerror(EACCES))));
  }
  GlobalVar().OpenCloseDialoogPath = FolderOf(file);
  const int unit = Links().main != nullptr ? Links().main->UnitNumber() : 0;
  std::string error;
  if (!SaveParameterFile(S(file), GlobalVar().ParameterTable, unit, &error)) ShowError(Q(error));
}

void TFormEditParam::LoadDefaultsClick() {
  const TGlobalVar& g = GlobalVar();
  if (!g.CatalogueLoaded) {
    ShowError(Message("msg_ErrorSetDefaultPar"));
    return;
  }
  const std::array<std::int32_t, kParameterCount> defaults = Catalogue::DefaultTable(g.ParameterCatalogue);
  QMessageBox box(QMessageBox::Information, Message("Msg_InfoCaption"), Message("msg_DefaultParGeladen"),
                  QMessageBox::Ok, this);
  box.setObjectName("DefaultsLoaded");
  GlobalVar().ParameterTable = defaults;
  box.exec();
  TakeOver(defaults, psDefaults);
}

// The comparison may take values over into the table.
void TFormEditParam::CompareClick() {
  ShowChild(FormVergelijken);
  BuildGridRows();
  StringGrid1SelectCell(StringGrid1->currentRow());
}

// --- Device and other windows ----------------------------------------------------

void TFormEditParam::ReceiveClick() {
  if (FormLeesParSoll == nullptr) return;
  FormLeesParSoll->Mode = 0;
  if (FormLeesParSoll->exec() != QDialog::Accepted) return;
  TakeOver(FormLeesParSoll->ReceivedParameters, psDevice);
}

void TFormEditParam::SendClick() {
  if (FormSchrijfParSoll == nullptr) return;
  if (GlobalVar().ParameterSource == psNone) {
    // Values that came from nowhere would overwrite the whole device: only
    // sent once the warning is confirmed.
    const QString warning = MessageLines(SendParametersWarning(WarningText));
    if (AskWarning(kEditParamSection, warning, "SendWarning") != QMessageBox::Yes) return;
  }
  FormSchrijfParSoll->Mode = 0;
  FormSchrijfParSoll->SendParameters = GlobalVar().ParameterTable;
  if (FormSchrijfParSoll->exec() == QDialog::Accepted) ParamSentNotLoaded = false;
}

void TFormEditParam::PrintClick() {
  if (GlobalVar().ParameterSource == psNone) {
    const QString warning = MessageLines(PrintParametersWarning(WarningText));
    if (AskWarning(kPrintSection, warning, "PrintWarning") != QMessageBox::Yes) return;
  }
  ShowChild(FormAfdrukkenPar);
}

void TFormEditParam::ShowChild(QWidget* window) {
  if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->exec();
}

// The help stays open beside the editor. The editor is modal, so a window
// shown now would take no input unless it belongs to the editor: it is
// shown as the editor's transient window.
void TFormEditParam::ShowErrorHelp() {
  QWidget* help = Links().errorNumberHelp;
  if (help == nullptr) return;
  help->winId();  // makes its window, so it can be given to the editor
  if (QWindow* window = help->windowHandle()) window->setTransientParent(windowHandle());
  help->show();
  help->raise();
}

// --- Closing ------------------------------------------------------------------------

void TFormEditParam::reject() {
  RefreshFunctionTexts();
  if (ParamSentNotLoaded) {
    const QString warning = MessageLines(ParametersNotTakenOverWarning(WarningText));
    QMessageBox box(QMessageBox::Warning, Q(WarningText(kEditParamSection, kWarningCaptionKey)), warning,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName("CloseWarning");
    if (box.exec() != QMessageBox::Yes) return;
  }
  TWindowBase::reject();
}
