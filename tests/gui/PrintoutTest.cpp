// The parameter and setpoint printouts, printed to PDF (with and without the
// print dialog) and read back as text with pdftotext from poppler-utils.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

#include "GuiTestSupport.h"
#include "model/Catalogue.h"
#include "model/PrintLayout.h"
#include "platform/AtomicFile.h"
#include "ui/QtText.h"

namespace {

// Parameters 0 .. 79 with names, without decimals but for parameter 4 (those
// of positions); 5 and 6 are choices of five and two options; 300 has no
// section.
QByteArray TestCatalogue() {
  QByteArray text;
  for (int n = 0; n < 80; ++n) {
    text += QString("[%1]\nnaam0=Parameter %2\ndec=%3\n").arg(n, 3, 10, QChar('0')).arg(n).arg(n == 4 ? 9 : 0).toLatin1();
    if (n == 5) text += "type=1\nopties0=a,b,c,d,e\n";
    if (n == 6) text += "type=1\nopties0=\"first option\",\"second option\"\n";
  }
  return text;
}

// Menu 100 holds parameters 0 .. 39 (row 8 to the parameter without a
// section, row 9 missing), menu 200 parameters 40 .. 64: it starts near the
// end of the first page.
QByteArray MenuIndex() {
  QByteArray text = "[100]\n";
  for (int row = 1; row <= 40; ++row)
    if (row != 9) text += "ParId" + QByteArray::number(row) + "=" + QByteArray::number(row == 8 ? 300 : row - 1) + "\n";
  text += "[200]\n";
  for (int row = 1; row <= 25; ++row) text += "ParId" + QByteArray::number(row) + "=" + QByteArray::number(39 + row) + "\n";
  return text;
}

const QByteArray kTree = "Test machine parameters\r\n\tFirst group\r\n\tSecond group\r\n";
const QByteArray kLanguage =
    "[Afdrukken]\nLabelFirma=Firma:\nLabelType=Type:\nLabelSn=Serienummer:\nNaamSoll=Sollwerten\n"
    "[EditParam]\nKolomTekst0=Pos.\nKolomTekst1=No.\nKolomTekst2=Name\nKolomTekst3=Value\nKolomTekst4=Option\n"
    "[EditSollwert]\nKolomtekst_no=No.\nKolomtekst_waarde=Value\n";
// The column header: texts padded to 6, 3 and 38, the value column to 11 at
// the front, three blanks between columns but none before the value.
const QString kParameterHeader =
    "Pos." + QString(2 + 3, ' ') + "No." + QString(3, ' ') + "Name" + QString(34 + 6, ' ') + "Value" + "   Option";

QString Tool(const char* name) { return QStandardPaths::findExecutable(name); }

QString Run(const QStringList& arguments) {
  QProcess run;
  run.start(Tool("pdftotext"), arguments);
  run.waitForFinished(30000);
  return QString::fromUtf8(run.readAllStandardOutput());
}

// The text of a PDF as pdftotext lays it out, one string per page.
QStringList PdfPages(const QString& pdf) {
  QStringList pages = Run({"-layout", pdf, "-"}).split('\f');
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// A word of a PDF page and where it lies, in points.
struct Word {
  double xMin, yMin, xMax;
  QString text;
};

QList<QList<Word>> PdfWords(const QString& pdf) {
  QList<QList<Word>> pages;
  static const QRegularExpression word(
      "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">(.*)</word>");
  for (const QString& line : Run({"-bbox", pdf, "-"}).split('\n')) {
    if (line.contains("<page ")) pages.append(QList<Word>());
    const auto match = word.match(line);
    if (!match.hasMatch() || pages.isEmpty()) continue;
    QString text = match.captured(4);
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
    pages.back().append({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3).toDouble(), text});
  }
  return pages;
}

// The lines of a page printed in a fixed-pitch font, each word put at its
// character column counted from the line's first word, so that the blanks
// between words are exactly those printed.
QStringList FixedPitchLines(QList<Word> words) {
  std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
    return std::abs(a.yMin - b.yMin) > 0.5 ? a.yMin < b.yMin : a.xMin < b.xMin;
  });
  QStringList lines;
  double lineY = -1, lineX = 0, advance = 1;
  for (const Word& w : words) {
    if (lines.isEmpty() || std::abs(w.yMin - lineY) > 0.5) {
      lines << w.text;
      lineY = w.yMin;
      lineX = w.xMin;
      advance = (w.xMax - w.xMin) / w.text.size();
      continue;
    }
    const int column = int(std::lround((w.xMin - lineX) / advance));
    QString& line = lines.back();
    line += QString(std::max(1, column - int(line.size())), ' ') + w.text;
  }
  return lines;
}

const Word* Find(const QList<Word>& words, const QString& text) {
  for (const Word& w : words)
    if (w.text == text) return &w;
  return nullptr;
}

// With VQ2X_SCREENSHOT_DIR set, the pages are rendered as PNG there
// ("name-page-1.png", "name-page-2.png"), to be looked at.
void RenderPages(const QString& pdf, const QString& name) {
  const QString dir = qEnvironmentVariable("VQ2X_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QProcess::execute(Tool("pdftoppm"), {"-png", "-r", "72", "-l", "2", pdf, QDir(dir).filePath(name + "-page")});
}

}  // namespace

class PrintoutTest : public QObject, protected ToolHarness {
  Q_OBJECT

  void StartPrinting(bool withLanguage = true) {
    folder_ = std::make_unique<ProgramFolder>();
    folder_->Write("Parameters.txt", TestCatalogue());
    folder_->Write("ParNo.txt", MenuIndex());
    folder_->Write("Tree0.txt", kTree);
    if (withLanguage) folder_->Write("Taal0.ini", kLanguage);
    StartIn();
    TGlobalVar& g = GlobalVar();
    g.Firma = "ACME Machines";
    g.Type = "VQ22";
    g.Sn = "20261208";
  }
  template <class T>
  void WhenShown(std::function<void(T&)> act) {
    auto* timer = new QTimer(this);
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, [timer, act] {
      if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
        act(*window);
        if (window->isVisible()) return;  // not taken yet: again at the next tick
        timer->stop();
        timer->deleteLater();
      }
    });
    timer->start();
  }
  // Prints the window's printout to a PDF file in the program folder.
  QString Print(TPrintoutWindow& window, const QString& name, bool render = false) {
    window.show();
    const QString pdf = folder_->File(name + ".pdf");
    QString error;
    if (!window.PrintToPdf(pdf, &error)) qWarning() << error;
    if (render) RenderPages(pdf, name);
    return pdf;
  }
  // The header's labels end in one column, the values start in one, the
  // date (line 1) and the page number (line 3) end 100 printer pixels before
  // the right edge.
  void CheckHeader(const QList<Word>& page, const QStringList& labels, const QStringList& values) {
    QList<const Word*> found;
    for (const QString& text : labels + values) {
      found << Find(page, text);
      QVERIFY2(found.back() != nullptr, qPrintable(text));
    }
    for (int line = 1; line < 3; ++line) {
      QCOMPARE(found[line]->xMax, found[0]->xMax);
      QCOMPARE(found[3 + line]->xMin, found[3]->xMin);
    }
    const double textEnd = 595 - 72 * 5 / 25.4 - 100 * 72.0 / 600;  // A4 less the 5 mm border less 100 px
    for (const Word* label : {found[0], found[2]}) {
      double lineEnd = 0;
      for (const Word& w : page)
        if (std::abs(w.yMin - label->yMin) < 0.5) lineEnd = std::max(lineEnd, w.xMax);
      QVERIFY2(std::abs(lineEnd - textEnd) < 0.5, qPrintable(QString::number(lineEnd)));
    }
  }

private slots:
  void initTestCase() {
    // The printout tests read the PDF back; without the tool they cannot.
    QVERIFY2(!Tool("pdftotext").isEmpty(), "pdftotext (poppler-utils) is not installed");
    QVERIFY2(!Tool("pdftoppm").isEmpty(), "pdftoppm (poppler-utils) is not installed");
  }
  void init() { Reset(); }
  void cleanup() { Stop(); }

  void courierNewIsAMetricEquivalent() {
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    QCOMPARE(QFontInfo(font).family(), QString("Liberation Mono"));
  }

  void longMenuContinuesOnANewPageWithANewHeader() {
    StartPrinting();
    const QString pdf = Print(*FormAfdrukkenPar, "parameters");
    const QStringList pages = PdfPages(pdf);
    const QList<QList<Word>> words = PdfWords(pdf);
    QCOMPARE(pages.size(), 2);
    QCOMPARE(words.size(), 2);
    const QStringList first = FixedPitchLines(words[0]);
    const QStringList second = FixedPitchLines(words[1]);
    const QStringList header = {"Firma:  ACME Machines", "Type:  VQ22", "Serienummer:  20261208"};
    for (int page = 0; page < 2; ++page) {
      const QStringList& lines = page == 0 ? first : second;
      QVERIFY(lines.size() > 3);
      QVERIFY2(lines[0].startsWith(header[0] + " "), qPrintable(lines[0]));
      QCOMPARE(lines[1], header[1]);
      QCOMPARE(lines[2].left(header[2].size()), header[2]);
      QVERIFY2(lines[2].endsWith(QString(" P   %1").arg(page + 1)), qPrintable(lines[2]));
      CheckHeader(words[page], {"Firma:", "Type:", "Serienummer:"}, {"ACME", "VQ22", "20261208"});
    }
    QCOMPARE(first.mid(3, 3), (QStringList{"Test machine parameters", "First group", kParameterHeader}));
    QCOMPARE(first.count(kParameterHeader), 2);  // one for each menu
    QVERIFY(first.contains("Second group"));
    QVERIFY(second[3].startsWith("2.0."));  // the rows go on right below the header
    QCOMPARE(second.filter("Pos.").size(), 0);
    // Every row of the second menu once and in order, across the break.
    const QStringList both = first + second;
    qsizetype last = -1;
    for (int row = 1; row <= 25; ++row) {
      const QString number = QString("2.0.%1").arg(row);
      const QString line = number + QString(6 - number.size() + 3, ' ') + QString("0%1   Parameter %1").arg(39 + row);
      const QStringList found = both.filter(QRegularExpression("^" + QRegularExpression::escape(line) + " +0$"));
      QCOMPARE(found.size(), 1);
      QVERIFY(both.indexOf(found[0]) > last);
      last = both.indexOf(found[0]);
    }
    QVERIFY(first.filter(QRegularExpression("^2\\.0\\.1 ")).size() == 1);
    QVERIFY(second.filter(QRegularExpression("^2\\.0\\.25 ")).size() == 1);
    QVERIFY(pages[0].contains("P   1") || pages[0].contains(QRegularExpression("P\\s+1")));
  }

  void parameterLinesShowOptionsAndValues_data() {
    QTest::addColumn<QString>("line");
    // Row number padded to 6, 3 blanks, number padded to 3, 3 blanks, name
    // padded to 38, value right-aligned in 11, 3 blanks, option.
    const QString gap(3, ' ');
    auto name = [](const QString& text) { return text + QString(38 - text.size(), ' '); };
    auto value = [](const QString& text) { return QString(11 - text.size(), ' ') + text; };
    QTest::newRow("option outside the list: the number and ########")
        << "1.0.6 " + gap + "005" + gap + name("Parameter 5") + value("7") + gap + "########";
    QTest::newRow("option in the list")
        << "1.0.7 " + gap + "006" + gap + name("Parameter 6") + value("1") + gap + "second option";
    QTest::newRow("decimals of positions") << "1.0.5 " + gap + "004" + gap + name("Parameter 4") + value("-12,5");
    QTest::newRow("no catalogue section: row and value only")
        << "1.0.8 " + gap + "   " + gap + name("") + value("4711");
    QTest::newRow("a missing row is skipped, the next keeps its number")
        << "1.0.10" + gap + "009" + gap + name("Parameter 9") + value("0");
  }
  void parameterLinesShowOptionsAndValues() {
    QFETCH(QString, line);
    StartPrinting();
    TGlobalVar& g = GlobalVar();
    g.ParameterTable[4] = -125;
    g.ParameterTable[5] = 7;
    g.ParameterTable[6] = 1;
    g.ParameterTable[203] = 1;
    g.ParameterTable[300] = 4711;
    const QList<QList<Word>> words = PdfWords(Print(*FormAfdrukkenPar, "parameter-lines"));
    QVERIFY(!words.isEmpty());
    const QStringList lines = FixedPitchLines(words[0]);
    QVERIFY2(lines.contains(line), qPrintable(lines.join('\n')));
    QVERIFY(lines.filter(QRegularExpression("^1\\.0\\.9 ")).isEmpty());
  }

  void setpointPrintoutOnOnePage() {
    StartPrinting();
    for (int n = 1; n <= 24; ++n) GlobalVar().SetpointTable[static_cast<std::size_t>(n)] = n * 100;
    GlobalVar().SetpointTable[12] = -1500;
    GlobalVar().ParameterTable[203] = 2;  // printed raw, without decimals
    const QString pdf = Print(*FormAfdrukkenSoll, "setpoint-printout");
    const QList<QList<Word>> words = PdfWords(pdf);
    QCOMPARE(words.size(), 1);
    const QStringList lines = FixedPitchLines(words[0]);
    // Number padded to 6, 3 blanks, value right-aligned in 12.
    QCOMPARE(lines.mid(3, 3), (QStringList{"Sollwerten", "No." + QString(3 + 3 + 7, ' ') + "Value",
                                           "1" + QString(5 + 3 + 9, ' ') + "100"}));
    QVERIFY(lines.contains("12" + QString(4 + 3 + 7, ' ') + "-1500"));
    QCOMPARE(lines.back(), "24" + QString(4 + 3 + 8, ' ') + "2400");
    QCOMPARE(lines.size(), 3 + 2 + 24);
    QVERIFY2(lines[2].endsWith(" P   1"), qPrintable(lines[2]));
    CheckHeader(words[0], {"Firma:", "Type:", "Serienummer:"}, {"ACME", "VQ22", "20261208"});
    QVERIFY(PdfPages(pdf).value(0).contains("-1500"));
  }

  // The title and the column header the window holds are what the page
  // shows; without a language file both are blank.
  void setpointTitleAndColumnHeaderFollowTheLanguageFile_data() {
    QTest::addColumn<bool>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("columnHeader");
    QTest::newRow("language file") << true << "Sollwerten" << "No." + QString(3 + 3 + 7, ' ') + "Value";
    QTest::newRow("no language file") << false << "" << QString(6 + 3 + 12, ' ');
    QTest::newRow("shipped English file") << true << "Setpoints" << "No." + QString(3 + 3 + 7, ' ') + "Value";
  }
  void setpointTitleAndColumnHeaderFollowTheLanguageFile() {
    QFETCH(bool, language);
    QFETCH(QString, title);
    QFETCH(QString, columnHeader);
    const bool shipped = QTest::currentDataTag() == QString("shipped English file");
    if (shipped) {  // also the picture of a page, as a user sees it
      folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
      folder_->Write("application.ini", "[Opties]\nTaal=1\n");
      StartIn();
      for (int n = 1; n <= 24; ++n) GlobalVar().SetpointTable[static_cast<std::size_t>(n)] = n * 100;
      std::tie(GlobalVar().Firma, GlobalVar().Type, GlobalVar().Sn) = std::tuple("ACME Machines", "VQ22", "20261208");
    } else {
      StartPrinting(language);
    }
    FormAfdrukkenSoll->show();
    QCOMPARE(Q(FormAfdrukkenSoll->Title()), title);
    QCOMPARE(Q(FormAfdrukkenSoll->ColumnHeader()), columnHeader);
    const QString pdf = Print(*FormAfdrukkenSoll, shipped ? "setpoint-printout" : "setpoint-texts", shipped);
    const QStringList page = PdfPages(pdf).value(0).split('\n');
    const qsizetype first = page.indexOf(QRegularExpression("^\\s*1\\s+-?\\d+\\s*$"));
    QVERIFY2(first >= 2, qPrintable(page.join('\n')));
    QCOMPARE(page[first - 2].trimmed(), title);
    QCOMPARE(page[first - 1].simplified(), columnHeader.simplified());  // its exact blanks: setpointPrintoutOnOnePage
  }

  void setpointWindowTakesItsBoxesOver() {
    StartPrinting();
    FormAfdrukkenSoll->show();
    QCOMPARE(FormAfdrukkenSoll->EditFirma->text(), QString("ACME Machines"));
    FormAfdrukkenSoll->EditFirma->setText("Other Works");
    FormAfdrukkenSoll->EditSn->setText("SN 7");
    const QStringList pages = PdfPages(Print(*FormAfdrukkenSoll, "setpoints-edited"));
    QCOMPARE(GlobalVar().Firma, std::string("Other Works"));
    QCOMPARE(GlobalVar().Sn, std::string("SN 7"));
    QVERIFY(pages.value(0).contains("Other Works"));
    QVERIFY(pages.value(0).contains("SN 7"));
  }

  void withoutLanguageFileTheLaidOutLabelsAndTheStoredValues() {
    StartPrinting(false);
    FormAfdrukkenPar->show();
    QCOMPARE(FormAfdrukkenPar->windowTitle(), QString("FormAfdrukkenPar"));
    QCOMPARE(FormAfdrukkenPar->EditType->text(), QString("VQ22"));  // filled, so OK keeps what was stored
    const QStringList pages = PdfPages(Print(*FormAfdrukkenPar, "parameters-no-language"));
    QCOMPARE(GlobalVar().Firma, std::string("ACME Machines"));
    const QString& page = pages.value(0);
    QVERIFY(page.contains(QRegularExpression("^\\s*Firma:\\s+ACME Machines", QRegularExpression::MultilineOption)));
    QVERIFY(page.contains(QRegularExpression("^\\s*Serie nummer:\\s+20261208\\s+1\\s*$",
                                             QRegularExpression::MultilineOption)));
    QVERIFY(!page.contains("P   1"));
    QVERIFY(!page.contains("Pos."));  // empty column texts
  }

  void unreadableTreeFileIsReportedAndPrintingGoesOn() {
    StartPrinting();
    QFile::remove(folder_->File("Tree0.txt"));
    QDir(folder_->File("")).mkdir("Tree0.txt");  // there, but not a file that can be read
    MessageBoxCatcher boxes;
    const QStringList pages = PdfPages(Print(*FormAfdrukkenPar, "parameters-unreadable-tree"));
    QCOMPARE(boxes.Count(), std::size_t{1});
    QVERIFY(boxes.Seen_().front().text.startsWith("ETreeFileError error raised, with message : "));
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains("ACME Machines"));
    QVERIFY(!pages[0].contains("Test machine parameters"));
  }

  void printDialogPrintsToAFile_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("print to file") << true;
    QTest::newRow("cancelled") << false;
  }
  void printDialogPrintsToAFile() {
    QFETCH(bool, accept);
    StartPrinting();
    FormAfdrukkenSoll->show();
    FormAfdrukkenSoll->EditType->setText("VQ23");
    const QString pdf = folder_->File("through the dialog.pdf");
    WhenShown<QPrintDialog>([&](QPrintDialog& dialog) {
      auto* printers = dialog.findChild<QComboBox*>("printers");
      auto* file = dialog.findChild<QLineEdit*>("filename");
      QVERIFY(printers != nullptr && file != nullptr);
      printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
      file->setText(pdf);
      SaveScreenshot(dialog, "print-dialog");
      accept ? dialog.accept() : dialog.reject();
    });
    QTest::mouseClick(FormAfdrukkenSoll->CmdOK, Qt::LeftButton);
    QVERIFY(!FormAfdrukkenSoll->isVisible());
    QCOMPARE(GlobalVar().Type, std::string("VQ23"));
    QCOMPARE(QFile::exists(pdf), accept);
    if (accept) QVERIFY(PdfPages(pdf).value(0).contains(QRegularExpression("Type:\\s+VQ23")));
  }

  // The shipped catalogue and English tree with the catalogue defaults: every
  // menu that has rows is printed under its heading, in tree order, and
  // every page carries the header with its own number.
  void shippedCatalogueInTreeOrder() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles + QStringList{"Tree1.txt"});
    folder_->Write("application.ini", "[Opties]\nTaal=1\n");
    StartIn();
    TGlobalVar& g = GlobalVar();
    g.ParameterTable = Catalogue::DefaultTable(g.ParameterCatalogue);
    g.Firma = "ACME Machines";
    const QString pdf = Print(*FormAfdrukkenPar, "parameter-printout", true);
    const QList<QList<Word>> words = PdfWords(pdf);
    QVERIFY(words.size() > 1);
    QStringList all;
    for (int page = 0; page < words.size(); ++page) {
      const QStringList lines = FixedPitchLines(words[page]);
      QVERIFY(lines.size() > 3);
      QVERIFY(lines[0].startsWith("Company:  ACME Machines"));
      QVERIFY2(lines[2].endsWith(QString(" Page %1").arg(page + 1, 3)), qPrintable(lines[2]));
      all += lines.mid(3);
    }
    std::string tree;
    QVERIFY(ReadWholeFile(folder_->Path() + "Tree1.txt", &tree, 1 << 20));
    qsizetype at = 0;
    int printed = 0;
    for (const PrintMenu& menu : WalkTreeMenus(SplitTreeLines(tree))) {
      if (!g.ParNoCatalogue.HasKey(std::to_string(menu.MenuNumber), "ParId1")) continue;
      const qsizetype heading = all.indexOf(Q(menu.Heading), at + 1);
      QVERIFY2(heading > at, qPrintable(Q(menu.Heading)));
      at = heading;
      ++printed;
    }
    QVERIFY(printed > 10);
  }

  void windowsTakeTheLanguageTexts() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=1\n");
    StartIn();
    GlobalVar().Firma = "ACME Machines";
    FormAfdrukkenPar->show();
    QCOMPARE(FormAfdrukkenPar->windowTitle(), QString("Print parameters"));
    QCOMPARE(FormAfdrukkenPar->LabelSn->text(), QString("Serial number:"));
    QCOMPARE(FormAfdrukkenPar->CmdOK->text(), QString("Print"));
    SaveScreenshot(*FormAfdrukkenPar, "print-parameters-window");
    FormAfdrukkenPar->hide();
    FormAfdrukkenSoll->show();
    QCOMPARE(FormAfdrukkenSoll->windowTitle(), QString("Print setpoints"));
    QCOMPARE(FormAfdrukkenSoll->LabelSn->buddy(), FormAfdrukkenSoll->EditSn);
    SaveScreenshot(*FormAfdrukkenSoll, "print-setpoints-window");
  }
};

QTEST_MAIN(PrintoutTest)
#include "PrintoutTest.moc"
