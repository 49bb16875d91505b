#include "tools/PrintoutWindow.h"

#include <QDate>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "model/Global_var.h"
#include "ui/QtText.h"

namespace {

constexpr int kPdfResolution = 600;     // dots per inch of a PDF "printer"
constexpr double kPdfBorderMm = 5;      // what a printer cannot reach at the paper's edges
constexpr double kRuleWidthMm = 0.2;    // the header's two rules
constexpr double kMmPerInch = 25.4;
constexpr int kEditWidth = 240;

QFont PrintFont(PrintStyle style) {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(style == PrintStyle::Bold14 ? 14 : style == PrintStyle::Bold12 ? 12 : 10);
  font.setBold(style != PrintStyle::Normal10);
  return font;
}

PrintMetrics MeasurePrinter(QPrinter& printer) {
  PrintMetrics metrics;
  metrics.PageWidth = printer.width();
  metrics.PageHeight = printer.height();
  metrics.DotsPerInch = printer.resolution();
  metrics.LineHeight = QFontMetrics(PrintFont(PrintStyle::Normal10), &printer).height();
  metrics.Bold12Height = QFontMetrics(PrintFont(PrintStyle::Bold12), &printer).height();
  metrics.Bold14Height = QFontMetrics(PrintFont(PrintStyle::Bold14), &printer).height();
  metrics.TextWidth = [&printer](std::string_view text, PrintStyle style) {
    return QFontMetrics(PrintFont(style), &printer).horizontalAdvance(Q(std::string(text)));
  };
  return metrics;
}

// Texts are placed by the top of their line; a right-anchored text ends at X.
void DrawPage(QPainter& painter, const PrintPage& page, int ruleWidth) {
  painter.setPen(QPen(Qt::black, ruleWidth));
  for (const PrintRule& rule : page.Rules) painter.drawLine(rule.X1, rule.Y, rule.X2, rule.Y);
  for (const PrintTextItem& item : page.Texts) {
    painter.setFont(PrintFont(item.Style));
    const QFontMetrics metrics = painter.fontMetrics();
    const QString text = Q(item.Text);
    const int x = item.Anchor == PrintAnchor::Right ? item.X - metrics.horizontalAdvance(text) : item.X;
    painter.drawText(x, item.Y + metrics.ascent(), text);
  }
}

void PreparePdf(QPrinter& printer) {
  printer.setResolution(kPdfResolution);
  printer.setPageMargins(QMarginsF(kPdfBorderMm, kPdfBorderMm, kPdfBorderMm, kPdfBorderMm),
                         QPageLayout::Millimeter);
}

}  // namespace

TPrintoutWindow::TPrintoutWindow(QWidget* parent, const char* objectName, const char* laidOutCaption,
                                 const char* captionKey, const char* captionDefault)
    : TWindowBase(parent, objectName, laidOutCaption),
      texts_("Afdrukken", {{"", captionKey, captionDefault},
                           {"LabelFirma", "LabelFirma", "Firma"},
                           {"LabelType", "LabelType", "Type"},
                           {"LabelSn", "LabelSn", "Serie nr"},
                           {"CmdOK", "CmdOK", "OK"},
                           {"CmdCancel", "CmdCancel", "Annuleren"},
                           {nullptr, "TekstPagina", "P"}}) {
  auto addRow = [this](QGridLayout* grid, int row, const char* labelName, const char* caption, const char* editName,
                       QLineEdit** edit) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(labelName);
    *edit = new QLineEdit(this);
    (*edit)->setObjectName(editName);
    (*edit)->setMinimumWidth(kEditWidth);
    label->setBuddy(*edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(*edit, row, 1);
    return label;
  };
  auto* grid = new QGridLayout;
  LabelFirma = addRow(grid, 0, "LabelFirma", "Firma:", "EditFirma", &EditFirma);
  LabelType = addRow(grid, 1, "LabelType", "Type:", "EditType", &EditType);
  LabelSn = addRow(grid, 2, "LabelSn", "Serie nummer:", "EditSn", &EditSn);

  CmdOK = new QPushButton("OK", this);
  CmdOK->setObjectName("CmdOK");
  CmdOK->setDefault(true);
  CmdCancel = new QPushButton("Annuleren", this);
  CmdCancel->setObjectName("CmdCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CmdOK);
  buttons->addWidget(CmdCancel);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  connect(CmdOK, &QPushButton::clicked, this, &TPrintoutWindow::CmdOKClick);
  connect(CmdCancel, &QPushButton::clicked, this, &TPrintoutWindow::reject);

  printer_.setPageSize(QPageSize(QPageSize::A4));
  printer_.setPageOrientation(QPageLayout::Portrait);
}

void TPrintoutWindow::FormActivate() {
  if (texts_.Apply(*this)) pageText_ = texts_.Stored("TekstPagina");
  // Filled in every case: what the boxes hold on OK is stored, so empty
  // boxes would wipe the stored header texts.
  const TGlobalVar& g = GlobalVar();
  EditFirma->setText(Q(g.Firma));
  EditType->setText(Q(g.Type));
  EditSn->setText(Q(g.Sn));
  EditFirma->setFocus();
}

void TPrintoutWindow::TakeOverBoxes() {
  TGlobalVar& g = GlobalVar();
  g.Firma = S(EditFirma->text());
  g.Type = S(EditType->text());
  g.Sn = S(EditSn->text());
}

PageHeaderTexts TPrintoutWindow::HeaderTexts() const {
  const TGlobalVar& g = GlobalVar();
  PageHeaderTexts header;
  header.Labels = {S(LabelFirma->text()), S(LabelType->text()), S(LabelSn->text())};
  header.Firma = g.Firma;
  header.Type = g.Type;
  header.Sn = g.Sn;
  header.Date = S(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
  header.PageText = S(pageText_);
  return header;
}

void TPrintoutWindow::CmdOKClick() {
  TakeOverBoxes();
  QPrintDialog dialog(&printer_, this);
  dialog.setObjectName("PrintDialog1");
  // Every page is printed: the layout has no page ranges or selection.
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() == QDialog::Accepted) {
    QString error;
    if (!Print(printer_, &error)) {
      QMessageBox box(QMessageBox::Critical, windowTitle(), error, QMessageBox::Ok, this);
      box.setObjectName("PrintErrorBox");
      box.exec();
    }
  }
  accept();
}

bool TPrintoutWindow::PrintToPdf(const QString& path, QString* error) {
  TakeOverBoxes();
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  return Print(pdf, error);
}

bool TPrintoutWindow::Print(QPrinter& printer, QString* error) {
  if (printer.outputFormat() == QPrinter::PdfFormat) PreparePdf(printer);
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName("VQ2x Printing");
  QPainter painter;
  if (!painter.begin(&printer)) {
    if (error != nullptr)
      *error = printer.outputFileName().isEmpty()
                   ? QString("The printer %1 cannot be used.").arg(printer.printerName())
                   : QString("%1 cannot be written.").arg(printer.outputFileName());
    return false;
  }
  const std::vector<PrintPage> pages = LayoutPages(MeasurePrinter(printer), HeaderTexts());
  const int ruleWidth = std::max(1, static_cast<int>(std::lround(printer.resolution() * kRuleWidthMm / kMmPerInch)));
  // Without a spooler that makes the copies, each copy is printed whole.
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  bool first = true;
  for (int copy = 0; copy < copies; ++copy)
    for (const PrintPage& page : pages) {
      if (!first) printer.newPage();
      first = false;
      DrawPage(painter, page, ruleWidth);
    }
  return painter.end();
}
