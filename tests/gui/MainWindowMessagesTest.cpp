// What a person (or a screen reader) reads in the main window: value panels
// named by their captions, status panels by their texts, failure messages
// that stay long enough to be read and fit their line.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "GuiTestSupport.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

class MainWindowMessagesTest : public QObject, protected ToolHarness {
  Q_OBJECT

  QLabel* Panel(LiveQuantity q) { return Main().ValuePanels[static_cast<std::size_t>(q)]; }

private slots:
  void init() { Reset(); }
  void cleanup() { Stop(); }

  void valuePanelIsReadWithItsCaption() {
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTRY_COMPARE(Panel(LiveQuantity::ActPos)->text(), QString("1234"));
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(Panel(LiveQuantity::ActPos));
    QVERIFY(panel != nullptr);
    QCOMPARE(panel->text(QAccessible::Name), QString("1234"));
    // Labelled by its caption (and by its group's title).
    QStringList labels;
    for (const auto& relation : panel->relations(QAccessible::Label)) labels << relation.first->text(QAccessible::Name);
    QVERIFY2(labels.contains(Q(Tekst("Main", "LabelActualPositie", "Positie:"))), qPrintable(labels.join('|')));
  }

  void statusPanelsAreReadByTheirTexts() {
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    for (std::size_t i : {0u, 1u, 2u}) {
      QAccessibleInterface* status = QAccessible::queryAccessibleInterface(Main().StatusPanels[i]);
      QCOMPARE(status->text(QAccessible::Name), Main().StatusPanels[i]->text());
      QVERIFY(!status->text(QAccessible::Name).isEmpty());
    }
  }

  // The error-number poll answers often here; the terminal's no-answer text
  // must still stay readable.
  void failureTextOutlastsTheNextErrorPollReply() {
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    Main().Timer1->setInterval(10);
    line_->SetResponder([device = device_](const std::string& r) {
      return r.rfind("xx", 0) == 0 ? VirtualReply::Silence() : (*device)(r);
    });
    const std::size_t before = line_->RequestCount();
    Main().EditZenden->setText("xx");
    QTest::keyClick(Main().EditZenden, Qt::Key_Return);
    const QString noAnswer = Q(Tekst("Main", "PanelTekst0", "tekst 0"));
    QTRY_COMPARE(Main().PanelComInfo->text(), noAnswer);
    QTRY_VERIFY(line_->RequestCount() > before + 5);  // several "rf" replies since
    QCOMPARE(Main().PanelComInfo->text(), noAnswer);
  }

  void longFailureTextKeepsTheLayoutAndItsWholeText() {
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    const int height = Main().PanelComInfo->height();
    const QRect actual = Main().findChild<QWidget*>("GroupBoxActual")->geometry();
    line_->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(Main().PanelComInfo->text().startsWith(Q(Tekst("Main", "PanelTekst1", "x"))), 5000);
    QCOMPARE(Main().PanelComInfo->height(), height);
    QCOMPARE(Main().findChild<QWidget*>("GroupBoxActual")->geometry(), actual);
    QAccessibleInterface* info = QAccessible::queryAccessibleInterface(Main().PanelComInfo);
    QCOMPARE(info->text(QAccessible::Name), Main().PanelComInfo->text());
    // Cut to fit, the text is whole in the tool tip; when it fits there is none.
    QLabel* panel = Main().PanelComInfo;
    panel->resize(40, panel->height());
    QCOMPARE(panel->toolTip(), panel->text());
    panel->resize(4000, panel->height());
    QVERIFY(panel->toolTip().isEmpty());
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
  }

  void separatorsHaveNoText() {
    Start();
    const auto actions = Main().findChild<QMenu*>("menuCommunicatie")->actions();
    int separators = 0;
    for (QAction* a : actions) {
      if (!a->isSeparator()) continue;
      ++separators;
      QVERIFY(a->text().isEmpty());
    }
    QCOMPARE(separators, 2);
  }

  void textsAppliedWhileOpenKeepThePortCommands() {
    Start();
    QVERIFY(OpenPort());
    Main().LezenTeksten();
    QVERIFY(Main().CmdTerminalZenden->isEnabled());
    for (const char* name : {"VQ80ontvangen1", "Backup1", "Restore1"})
      QVERIFY2(Main().findChild<QAction*>(name)->isEnabled(), name);
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    Main().LezenTeksten();
    QVERIFY(!Main().CmdTerminalZenden->isEnabled());
    QVERIFY(!Main().findChild<QAction*>("Backup1")->isEnabled());
  }
};

QTEST_MAIN(MainWindowMessagesTest)
#include "MainWindowMessagesTest.moc"
