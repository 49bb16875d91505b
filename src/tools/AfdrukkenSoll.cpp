#include "tools/AfdrukkenSoll.h"

#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/PrintLayout.h"
#include "model/PrintText.h"

TFormAfdrukkenSoll* FormAfdrukkenSoll = nullptr;

namespace {

// The title is one of the print windows' texts; the column captions are
// the setpoint editor's, so the printout heads its columns as the grid does.
constexpr const char* kPrintSection = "Afdrukken";
constexpr const char* kEditorSection = "EditSollWert";

}  // namespace

TFormAfdrukkenSoll::TFormAfdrukkenSoll(QWidget* parent)
    : TPrintoutWindow(parent, "FormAfdrukkenSoll", "FormAfdrukkenSoll", "CaptionSoll", "Afdrukken Soll") {}

TFormAfdrukkenSoll::PrintoutTexts TFormAfdrukkenSoll::ReadTexts() {
  if (!GlobalVar().LanguageLoaded) return {};
  return {Tekst(kPrintSection, "NaamSoll", "Solwerten"), Tekst(kEditorSection, "Kolomtekst_no", "tekst 0"),
          Tekst(kEditorSection, "Kolomtekst_waarde", "tekst 1")};
}

void TFormAfdrukkenSoll::FormActivate() {
  TPrintoutWindow::FormActivate();
  texts_ = ReadTexts();
}

std::string TFormAfdrukkenSoll::ColumnHeader() const {
  return PrintText::InitSollwertHeader(texts_.numberColumn, texts_.valueColumn);
}

std::vector<PrintPage> TFormAfdrukkenSoll::LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) {
  return LayoutSetpointPrintout(GlobalVar().SetpointTable, header, texts_.title, texts_.numberColumn,
                                texts_.valueColumn, metrics);
}
