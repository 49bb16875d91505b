// The parameter editor and the service window against the simulator, as a
// commissioning engineer uses them: open the editor from the main menu, pick
// a group, double-click a row, change the value, send it, make the device
// take it over, close; the device then holds the new value.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "ModalDriver.h"
#include "SimSupport.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

namespace {

constexpr int kBrightness = 223;  // numeric, 1 .. 8, shown in the last group

QString ServiceWindowText(const char* key) { return Q(Tekst("ParamService", key, "")); }

}  // namespace

class EditParamSimTest : public QObject, protected SimHarness {
  Q_OBJECT

private slots:
  void init() {
    QVERIFY(StartWithSimulator());
    for (const char* tree : {"Tree0.txt", "Tree1.txt", "Tree2.txt"})
      QFile::copy(QString(VQ2X_DATA_DIR) + "/" + tree, folder_->File(tree));
  }
  void cleanup() { StopAll(); }

  void changeSendAndComputeOneValue() {
    QVERIFY(OpenAndIdentify());
    bool rowShown = false;
    QString shownAfter;
    ModalDriver driver;
    driver.Then([&](QWidget& w) {
      // The editor: pick the last group, double-click the brightness row.
      if (&w != FormEditParam) return false;
      QTreeWidget* tree = FormEditParam->TreeView1;
      QTreeWidgetItem* group = tree->topLevelItem(0)->child(tree->topLevelItem(0)->childCount() - 1);
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(group).center());
      QTableWidget* grid = FormEditParam->StringGrid1;
      int row = -1;
      for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 1)->text() == QString::number(kBrightness)) row = r;
      rowShown = row >= 0;
      if (!rowShown) return false;
      DoubleClick(grid->viewport(), grid->visualItemRect(grid->item(row, 2)).center());
      shownAfter = grid->item(row, 3)->text();
      FormEditParam->subAfsluiten->trigger();
      return !FormEditParam->isVisible();  // no warning: the device has taken the value over
    });
    driver.Then([&](QWidget& w) {
      // The service window: a new value, Send, then Compute.
      if (&w != FormParamService) return false;
      TFormParamService& s = *FormParamService;
      s.MaskEditParData->selectAll();
      QTest::keyClicks(s.MaskEditParData, "3");
      QTest::mouseClick(s.CmdZenden, Qt::LeftButton);
      if (!QTest::qWaitFor([&] { return s.PanelService->text() == ServiceWindowText("PanelTekst4"); }, 5000)) {
        qWarning() << "after Send:" << s.PanelService->text();
        return false;
      }
      QTest::mouseClick(s.CmdBerPar, Qt::LeftButton);
      if (!QTest::qWaitFor([&] { return s.PanelService->text() == ServiceWindowText("PanelTekst10"); }, 5000)) {
        qWarning() << "after Compute:" << s.PanelService->text();
        return false;
      }
      QTest::mouseClick(s.CmdOK, Qt::LeftButton);
      return !s.isVisible();
    });
    Main().findChild<QAction*>("Par11")->trigger();
    QVERIFY(rowShown);
    QVERIFY2(driver.Done(), qPrintable(driver.Unexpected().join('|')));
    QVERIFY2(driver.Ok(), qPrintable(driver.Unexpected().join('|')));
    QCOMPARE(shownAfter, QString("3"));

    // Asked afterwards, the device answers the new value.
    Main().EditZenden->setText("rp 223");
    QTest::mouseClick(Main().CmdTerminalZenden, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Main().MemoReceive->toPlainText().startsWith("rp 223 3"), 5000);

    const QStringList received = ReceivedCommands(log_);
    const qsizetype write = received.indexOf("wp 223 3");
    QVERIFY2(write >= 0, qPrintable(received.join('|')));
    QVERIFY(received.indexOf("bp", write) > write);
    QVERIFY(received.indexOf("rp 223", write) > received.indexOf("bp", write));
  }
};

QTEST_MAIN(EditParamSimTest)
#include "EditParamSimTest.moc"
