#pragma once

#include <QPrinter>
#include <QString>
#include <vector>

#include "model/PrintPages.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QLabel;
class QLineEdit;
class QPushButton;

// What the parameter and setpoint print windows share: the company, device
// type and serial number for the page header, OK and Cancel, the printer,
// and the drawing of the laid-out pages on it. A window supplies its pages.
//
// OK takes the three boxes over into Firma, Type and Sn, shows the print
// dialog and prints; either way the window closes. PDF output (from the
// dialog's "Print to file" or PrintToPdf) gets A4 at 600 dpi with the 5 mm
// border of a typical printer, so a file looks like a printed page.
class TPrintoutWindow : public TWindowBase {
  Q_OBJECT
public:
  // The printer the print dialog sets up; it keeps its settings from one
  // printout to the next.
  QPrinter& Printer() { return printer_; }
  // Takes the boxes over and prints to a PDF file without the print dialog.
  // False, with the reason in *error, when the file cannot be written.
  bool PrintToPdf(const QString& path, QString* error = nullptr);

  QLabel* LabelFirma = nullptr;
  QLabel* LabelType = nullptr;
  QLabel* LabelSn = nullptr;
  QLineEdit* EditFirma = nullptr;
  QLineEdit* EditType = nullptr;
  QLineEdit* EditSn = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdCancel = nullptr;

protected:
  // captionKey / captionDefault: the window caption's key in section
  // "Afdrukken" and its built-in text; laidOutCaption is shown without a
  // language file.
  TPrintoutWindow(QWidget* parent, const char* objectName, const char* laidOutCaption, const char* captionKey,
                  const char* captionDefault);

  // Applies the texts (with a language file) and fills the boxes.
  void FormActivate() override;
  // The pages of the printout, measured for the printer.
  virtual std::vector<PrintPage> LayoutPages(const PrintMetrics& metrics, const PageHeaderTexts& header) = 0;

private:
  void CmdOKClick();
  void TakeOverBoxes();
  PageHeaderTexts HeaderTexts() const;
  bool Print(QPrinter& printer, QString* error);

  WindowTexts texts_;
  QString pageText_;  // "TekstPagina"; empty without a language file
  QPrinter printer_{QPrinter::HighResolution};
};
