// The commissioning report from the main menu: the device read whole, saved
// as a PDF and read back with pdftotext; and a long report laid out on pages
// without a row cut at a page's edge or text beyond the margin.
#include <QAction>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "ModalDriver.h"
#include "PdfText.h"
#include "model/Catalogue.h"
#include "model/DeviceWordsRead.h"
#include "model/Functies.h"
#include "params/LeesParSoll.h"
#include "platform/Sha256.h"
#include "tools/ReportPrinter.h"
#include "ui/QtText.h"

namespace {

// A4 is 595 points wide; 15 mm of it are margin on either side.
constexpr double kRightMarginPoints = 595.28 - 15 / 25.4 * 72;

// "rp n", "rs n" and "kr a" answered from the content; everything else by
// the harness's device.
VirtualReply Answer(const DeviceContent& content, const std::string& request, FakeDevice& device) {
  const std::string line = request.substr(0, request.find('\r'));
  const std::string code = line.substr(0, 2);
  const int n = std::atoi(line.c_str() + 3);
  std::int32_t value = 0;
  if (code == "rp") value = content.parameters[static_cast<std::size_t>(n)];
  else if (code == "rs") value = content.setpoints[static_cast<std::size_t>(n)];
  else if (code == "kr") value = n - 2000;
  else return device(request);
  return VirtualReply::Answer(line + " " + std::to_string(value) + "\r\n");
}

}  // namespace

class ReportTest : public QObject, protected ToolHarness {
  Q_OBJECT

private slots:
  void init() { Reset(); }
  void cleanup() { Stop(); }

  void theMenuSavesTheDeviceAsAPdf() {
    Start(kAllDataFiles + QStringList{"Tree0.txt"});
    const IniDocument& catalogue = GlobalVar().ParameterCatalogue;
    DeviceContent content{Catalogue::DefaultTable(catalogue), {}};
    const std::map<int, std::int32_t> changed = {{7, 1250}, {8, 300}, {94, 1500}};
    for (const auto& [n, v] : changed) content.parameters[static_cast<std::size_t>(n)] = v;
    content.setpoints[24] = 777;
    line_->SetResponder([&](const std::string& r) { return Answer(content, r, *device_); });
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());

    const QString pdf = folder_->File("report.pdf");
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      if (!QTest::qWaitFor([&] { return FormLeesParSoll->Finished(); }, 30000)) return false;
      QTest::mouseClick(FormLeesParSoll->CmdOK, Qt::LeftButton);
      return true;
    });
    driver.ChooseFile(pdf);
    driver.Answer(QMessageBox::No);
    Main().findChild<QAction*>("Report1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());

    RenderPages(pdf, "commissioning-report");
    const QStringList pages = PdfPages(pdf);
    QVERIFY(pages.size() >= 2);
    for (int i = 0; i < pages.size(); ++i)
      QVERIFY2(pages[i].contains(QString("Pagina %1 / %2").arg(i + 1).arg(pages.size())), qPrintable(pages[i]));
    const QString all = pages.join('\n');
    for (const auto& [n, v] : changed) {
      QStringList cells = {Q(Catalogue::SectionName(n)), Q(Catalogue::Name(catalogue, n, 0)),
                           Q(Catalogue::ShownValue(catalogue, n, content.parameters)),
                           Q(FormatFixed(Catalogue::DecimalsCode(catalogue, n), 0, content.parameters))};
      for (QString& cell : cells) cell = QRegularExpression::escape(cell);
      const QString row = cells.join("\\s+");
      QVERIFY2(all.contains(QRegularExpression(row)), qPrintable(row));
    }
    QVERIFY(all.contains(QRegularExpression("24\\s+7,77")));
    QVERIFY(all.contains(QRegularExpression("2041\\s+DA Spanning Offset\\s+41")));
    QVERIFY(all.contains(Q(Sha256Hex(BackupFileBytes(content)))));
  }

  void longTablesBreakBetweenRowsAndNothingPassesTheMargin() {
    ReportDocument document;
    document.title = "Commissioning report";
    ReportSection section{"Changed", 2, "", "", {"No.", "Name", "Value"}, {}};
    const QString longName = QString("overlong ").repeated(30).trimmed();
    for (int r = 1; r <= 150; ++r)
      section.rows.push_back({QString("row-%1").arg(r, 3, 10, QChar('0')).toStdString(), r % 50 == 1 ? S(longName) : "name", "1"});
    document.sections.push_back(section);
    const QString pdf = QDir::temp().filePath(QString("vq2x-report-%1.pdf").arg(QCoreApplication::applicationPid()));
    QString error;
    QVERIFY2(WriteReportPdf(document, "Page", pdf, &error), qPrintable(error));

    const QList<QList<Word>> pages = PdfWords(pdf);
    QFile::remove(pdf);
    QVERIFY(pages.size() >= 3);
    QStringList rows;
    int wrapped = 0;
    for (int p = 0; p < pages.size(); ++p) {
      QString header;
      for (const Word& w : pages[p]) {
        QVERIFY2(w.xMax <= kRightMarginPoints, qPrintable(w.text));
        if (w.text.startsWith("row-")) rows << w.text;
        if (w.text == "overlong") ++wrapped;
        if (header.size() < 40) header += w.text + " ";
      }
      QVERIFY2(header.contains(QString("Page %1 / %2").arg(p + 1).arg(pages.size())), qPrintable(header));
    }
    QCOMPARE(rows.size(), 150);
    QCOMPARE(rows.front(), QString("row-001"));
    QCOMPARE(rows.back(), QString("row-150"));
    QCOMPARE(wrapped, 3 * 30);
  }
};

QTEST_MAIN(ReportTest)
#include "ReportTest.moc"
