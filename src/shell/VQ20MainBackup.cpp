// Backup and restore of a whole device: the read window fills a backup
// file, a backup file fills the write window.
#include <QCheckBox>
#include <QMessageBox>

#include "model/BackupFile.h"
#include "model/FileDialogFilter.h"
#include "model/LanguageTexts.h"
#include "model/MessageText.h"
#include "model/ParameterNumbers.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "shell/VQ20Main.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

namespace {

constexpr const char* kSection = "BackupRestore";
constexpr const char* kExtension = "bak";
constexpr const char* kBackupFilter = "*.bak";
constexpr const char* kRestoreFilter = "ASCII Parameterbestand (*.bak)|*.bak";

// Without a language file the messages keep these texts, so a wrong file is
// still refused before anything is sent.
constexpr const char* kWrongFile = "Dit bestand is geen backup van een VQ2x. Er is niets naar het apparaat gezonden.";
constexpr const char* kWrongSize =
    "Dit bestand is geen backup van een VQ2x: een backup is precies 16020 bytes lang. Er is niets naar het "
    "apparaat gezonden.";
// What a restore into another unit says and offers.
constexpr const char* kFileUnit = "Het bestand is de backup van eenheid";
constexpr const char* kOpenUnit = "het geopende apparaat is eenheid";
constexpr const char* kKeepIdentity = "Eenheidnummer en lijninstellingen van dit apparaat behouden";

std::string Text(const char* key, const char* builtIn) {
  return GlobalVar().LanguageLoaded ? Tekst(kSection, key, builtIn) : builtIn;
}

// The dialogs show no filter while no language file is loaded.
QString Filter(const char* builtIn) {
  return GlobalVar().LanguageLoaded ? Q(DialogFilter(Tekst(kSection, "OpenFilter", builtIn))) : QString();
}

}  // namespace

void TFormMain::ShowFailure(const QString& text, const char* name) {
  QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Ok, this);
  box.setObjectName(name);
  box.exec();
}

std::optional<DeviceContent> TFormMain::ReadWholeDevice() {
  StopPolling();
  if (FormLeesParSoll == nullptr) return std::nullopt;
  FormLeesParSoll->Mode = 3;
  if (FormLeesParSoll->exec() != QDialog::Accepted) return std::nullopt;
  return DeviceContent{FormLeesParSoll->ReceivedParameters, FormLeesParSoll->ReceivedSetpoints};
}

void TFormMain::BackupClick() {
  const std::optional<DeviceContent> content = ReadWholeDevice();
  if (!content) return;

  const QString file = ChooseFile(this, FileChoice::Save, Q(Text("SaveCaption", "")), Filter(kBackupFilter), kExtension);
  if (file.isEmpty()) return;
  std::string error;  // names the file
  if (!SaveBackupFile(S(file), *content, &error)) ShowFailure(Q(error), "BackupNotSaved");
}

void TFormMain::RestoreClick() {
  StopPolling();
  if (FormSchrijfParSoll == nullptr) return;
  const QString file =
      ChooseFile(this, FileChoice::Open, Q(Text("OpenCaption", "")), Filter(kRestoreFilter), kExtension);
  if (file.isEmpty()) return;

  const BackupRead read = LoadBackupFile(S(file));
  switch (read.outcome) {
    case BackupOutcome::Loaded: break;
    case BackupOutcome::CannotOpen: ShowFailure(Q(read.systemText), "RestoreRefused"); return;
    case BackupOutcome::WrongSize: ShowFailure(Q(Text("OpenMsg3", kWrongSize)), "RestoreRefused"); return;
    case BackupOutcome::WrongMarkers: ShowFailure(Q(Text("OpenMsg2", kWrongFile)), "RestoreRefused"); return;
  }
  FormSchrijfParSoll->SendParameters = read.content.parameters;
  FormSchrijfParSoll->SendSetpoints = read.content.setpoints;

  std::string question =
      RestoreConfirmation(WarningText(kSection, "Msg_waarschuwingRestore_1"), S(file),
                          WarningText(kSection, "Msg_waarschuwingRestore_2"));
  // A backup of another unit would give this one its number and line
  // settings: both numbers are named, and keeping them is offered checked.
  const int fileUnit = read.content.parameters[ParameterNumber::UnitNumber];
  const bool otherUnit = fileUnit != UnitNumber();
  if (otherUnit)
    question += "\n\r" + Text("Msg_EenheidBestand", kFileUnit) + " " + std::to_string(fileUnit) + "; " +
                Text("Msg_EenheidApparaat", kOpenUnit) + " " + std::to_string(UnitNumber()) + ".";
  QMessageBox box(QMessageBox::Warning, Q(WarningText(kSection, kWarningCaptionKey)), MessageLines(question),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  box.setObjectName("RestoreConfirmation");
  auto* keep = new QCheckBox(Q(Text("Msg_BehoudEenheid", kKeepIdentity)));
  keep->setObjectName("CheckBehoudEenheid");
  keep->setChecked(otherUnit);
  box.setCheckBox(keep);
  if (box.exec() != QMessageBox::Yes) return;
  FormSchrijfParSoll->Mode = 3;
  if (keep->isChecked())
    FormSchrijfParSoll->ChosenSteps = KeepingLineIdentity(TransferSteps(kTransferWholeDevice, true));
  FormSchrijfParSoll->exec();
}
