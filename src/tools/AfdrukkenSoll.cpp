#include "tools/AfdrukkenSoll.h"

#include "model/Global_var.h"
#include "model/LanguageTexts.h"
#include "model/PrintLayout.h"

TFormAfdrukkenSoll* FormAfdrukkenSoll = nullptr;

TFormAfdrukkenSoll::TFormAfdrukkenSoll(QWidget* parent)
    : TPrintoutWindow(parent, "FormAfdrukkenSoll", "FormAfdrukkenSoll", "CaptionSoll", "Afdrukken Soll") {}

void TFormAfdrukkenSoll::FormActivate() {
  TPrintoutWindow::FormActivate();
  if (!GlobalVar().LanguageLoaded) return;
  title_ = Tekst("Afdrukken", "NaamSoll", "Solwerten");
  numberColumnText_ = Tekst("EditSollWert", "Kolomtekst_no", "tekst 0");
  valueColumnText_ = Tekst("EditSollWert", "Kolomtekst_waarde", "tekst 1");
}

std::vector<PrintPage> TFormAfdrukkenSoll::LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) {
  return LayoutSetpointPrintout(GlobalVar().SetpointTable, header, title_, numberColumnText_, valueColumnText_,
                                metrics);
}
