#include "tools/AfdrukkenPar.h"

#include <QMessageBox>
#include <filesystem>

#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/PrintLayout.h"
#include "model/TreeFile.h"
#include "platform/AtomicFile.h"
#include "ui/QtText.h"

TFormAfdrukkenPar* FormAfdrukkenPar = nullptr;

TFormAfdrukkenPar::TFormAfdrukkenPar(QWidget* parent)
    : TPrintoutWindow(parent, "FormAfdrukkenPar", "FormAfdrukkenPar", "CaptionPar", "Afdrukken param") {}

void TFormAfdrukkenPar::FormActivate() {
  TPrintoutWindow::FormActivate();
  if (!GlobalVar().LanguageLoaded) return;
  for (std::size_t column = 0; column < columnTexts_.size(); ++column) {
    const std::string number = std::to_string(column);
    columnTexts_[column] = Tekst("EditParam", "KolomTekst" + number, "tekst " + number);
  }
}

std::vector<std::string> TFormAfdrukkenPar::TreeLines() {
  const TGlobalVar& g = GlobalVar();
  const std::string path = g.ProgramDir + TreeFileName(g.LanguageIndex);
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) return {};
  std::string text, error;
  if (!ReadWholeFile(path, &text, kMaxTreeFileSize, &error)) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), Q(TreeFileErrorText(error)), QMessageBox::Ok, this);
    box.setObjectName("TreeFileErrorBox");
    box.exec();
    return {};
  }
  return SplitTreeLines(text);
}

std::vector<PrintPage> TFormAfdrukkenPar::LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) {
  const TGlobalVar& g = GlobalVar();
  const PrintCatalogues catalogues{g.CatalogueLoaded ? &g.ParameterCatalogue : nullptr,
                                   g.ParNoLoaded ? &g.ParNoCatalogue : nullptr, g.LanguageIndex};
  return LayoutParameterPrintout(catalogues, TreeLines(), g.ParameterTable, header, columnTexts_, metrics);
}
