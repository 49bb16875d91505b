#pragma once

#include <QString>

#include "model/ReportDocument.h"

class QPagedPaintDevice;
class QPageSize;
class QPrinter;

// A commissioning report on pages: the report's tables laid out to the page
// width (long names wrap, a table's header row is repeated on every page it
// spans, no line is cut at a page's edge), under a header with the title
// and "Pagina 2 / 5" on every page.

// A4, or Letter where the user's locale measures in inches.
QPageSize ReportPageSize();

// Written to a temporary file beside `path` and renamed into place; false
// with the reason in *error when it cannot be written.
bool WriteReportPdf(const ReportDocument& report, const QString& pageWord, const QString& path, QString* error);
// On a printer the print dialog has set up.
bool PrintReport(const ReportDocument& report, const QString& pageWord, QPrinter& printer, QString* error);
