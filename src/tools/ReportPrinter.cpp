#include "tools/ReportPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

#include "ui/QtText.h"

namespace {

constexpr double kMarginMm = 15;
constexpr double kHeaderGapMm = 4;  // between the header's rule and the body
constexpr int kBodyPointSize = 9;
constexpr int kHeaderPointSize = 10;
constexpr double kMmPerInch = 25.4;

int Pixels(const QPaintDevice& device, double mm) { return qRound(device.logicalDpiY() * mm / kMmPerInch); }

// Without ligatures: a reader searching the PDF for "Offset" must find it
// (with them it holds the single character "ﬀ" there).
QFont BodyFont() {
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
  font.setPointSize(kBodyPointSize);
  return font;
}

// Lays the body out in pages of the device's width and the height left
// under the header, then paints each page with its header.
bool Paint(const ReportDocument& report, const QString& pageWord, QPagedPaintDevice& device) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  QFont headerFont = BodyFont();
  headerFont.setPointSize(kHeaderPointSize);
  headerFont.setBold(true);
  const QFontMetrics headerMetrics(headerFont, &device);
  const int width = device.width();
  const int rule = headerMetrics.height() + Pixels(device, 1);
  const int bodyTop = rule + Pixels(device, kHeaderGapMm);
  const int bodyHeight = device.height() - bodyTop;

  QTextDocument body;
  body.documentLayout()->setPaintDevice(&device);
  body.setDefaultFont(BodyFont());
  body.setDocumentMargin(0);
  body.setHtml(Q(ReportHtml(report)));
  body.setPageSize(QSizeF(width, bodyHeight));
  const int pages = body.pageCount();

  for (int page = 0; page < pages; ++page) {
    if (page > 0) device.newPage();
    painter.setFont(headerFont);
    painter.setPen(Qt::black);
    const QRect line(0, 0, width, headerMetrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, Q(report.title));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                     QString("%1 %2 / %3").arg(pageWord).arg(page + 1).arg(pages));
    painter.drawLine(0, rule, width, rule);
    painter.save();
    painter.translate(0, bodyTop - page * bodyHeight);
    body.drawContents(&painter, QRectF(0, page * bodyHeight, width, bodyHeight));
    painter.restore();
  }
  return painter.end();
}

}  // namespace

QPageSize ReportPageSize() {
  return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                       : QPageSize::A4);
}

bool WriteReportPdf(const ReportDocument& report, const QString& pageWord, const QString& path, QString* error) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    QPdfWriter pdf(&file);
    pdf.setPageSize(ReportPageSize());
    pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    pdf.setTitle(Q(report.title));
    pdf.setCreator("VQ2x Service Tool");
    if (Paint(report, pageWord, pdf) && file.commit()) return true;
  }
  if (error != nullptr) *error = file.errorString().isEmpty() ? QString("%1 cannot be written.").arg(path) : file.errorString();
  return false;
}

bool PrintReport(const ReportDocument& report, const QString& pageWord, QPrinter& printer, QString* error) {
  printer.setDocName(Q(report.title));
  if (Paint(report, pageWord, printer)) return true;
  if (error != nullptr) *error = QString("The printer %1 cannot be used.").arg(printer.printerName());
  return false;
}
