// The commissioning report: the read window reads the whole device, the
// calibration words follow, and the report goes into a PDF file and, if
// wanted, to a printer.
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "model/CommissioningReport.h"
#include "model/FileDialogFilter.h"
#include "model/LanguageTexts.h"
#include "model/LineCommand.h"
#include "platform/LocalTime.h"
#include "shell/VQ20Main.h"
#include "tools/ReportPrinter.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

namespace {

std::string Text(const char* key, const char* builtIn) {
  return GlobalVar().LanguageLoaded ? Tekst(kReportSection, key, builtIn) : builtIn;
}

// The eighteen words, read while the window takes no input.
std::optional<DeviceWordsEnd> ReadWords(QWidget& window, TRkComm& port, DeviceWords& words) {
  TQL200Protocol component;
  WireLineCommand(component, &port, 0, {});
  DeviceWordsRead read(component);
  std::optional<DeviceWordsEnd> end;
  QEventLoop loop;
  read.Ended = [&](const DeviceWordsEnd& e) {
    end = e;
    loop.quit();
  };
  // A port closed under the read answers nothing: the read ends there.
  component.OnDeactivate = [&](TRkProtocolComponent&) {
    if (!end) end = DeviceWordsEnd{CommandChain::Outcome::Failed, kFirstDeviceWord, {}, {cePortClosed, 0, 0}};
    loop.quit();
  };
  window.setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  read.Start();
  if (!end) loop.exec();
  QApplication::restoreOverrideCursor();
  window.setEnabled(true);
  words = read.Words();
  return end;
}

}  // namespace

void TFormMain::ReportClick() {
  const std::optional<DeviceContent> content = ReadWholeDevice();
  if (!content) return;
  ReportSource source;
  source.content = *content;
  const std::optional<DeviceWordsEnd> words = ReadWords(*this, RkComm1, source.words);
  if (!words || !words->Completed()) {
    ShowFailure(Q(Text("WoordenNietGelezen", "De calibratiewaarden konden niet worden gelezen") + " (kr " +
                        std::to_string(words ? words->address : kFirstDeviceWord) + ")."),
                "ReportWordsNotRead");
    return;
  }
  TGlobalVar& g = GlobalVar();
  source.unit = UnitNumber();
  source.type = S(StatusPanels[2]->text());
  source.hardware = S(StatusPanels[3]->text());
  source.serial = S(StatusPanels[4]->text());
  source.port = PortDeviceName(RkComm1.PortName()) + " (" + paths_->Resolve(RkComm1.PortName()) + ")";
  source.lineSettings = S(StatusPanels[1]->text());
  source.toolVersion = std::string("vq2x-tool ") + VersionText;
  source.dateTime = LocalDateTime(std::chrono::system_clock::now());
  source.catalogues = EditorCataloguesOf(g);
  const TreeFile tree = LoadTreeFile(g.ProgramDir + TreeFileName(g.LanguageIndex));
  source.tree = &tree;
  const ReportTexts texts = ReportTextsOfLanguage();
  const ReportDocument report = LayoutReport(BuildCommissioningReport(source), texts);

  const QString file = ChooseFile(this, FileChoice::Save, Q(Text("SaveCaption", "Rapport opslaan")),
                                  Q(DialogFilter(Text("Filter", "PDF-bestand (*.pdf)|*.pdf"))), "pdf");
  if (file.isEmpty()) return;
  QString error;
  if (!WriteReportPdf(report, Q(texts.page), file, &error)) {
    ShowFailure(error, "ReportNotSaved");
    return;
  }
  QMessageBox ask(QMessageBox::Question, Q(texts.title),
                  Q(Text("AfdrukkenVraag", "Het rapport is opgeslagen. Wilt u het ook afdrukken?")),
                  QMessageBox::Yes | QMessageBox::No, this);
  ask.setObjectName("ReportPrintQuestion");
  if (ask.exec() != QMessageBox::Yes) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(ReportPageSize());
  QPrintDialog dialog(&printer, this);
  dialog.setObjectName("ReportPrintDialog");
  if (dialog.exec() == QDialog::Accepted && !PrintReport(report, Q(texts.page), printer, &error))
    ShowFailure(error, "ReportNotPrinted");
}
