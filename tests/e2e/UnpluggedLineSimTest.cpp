// The line goes dead in the middle of a read and of a write (the
// simulator's end of the pseudo-terminal closes, as when a USB adapter is
// pulled): the window shows the failure within a second, nothing is taken
// into the tables, and the port closes and opens again on a new line.
#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <signal.h>

#include "ModalDriver.h"
#include "SimSupport.h"
#include "model/LanguageTexts.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "ui/QtText.h"

class UnpluggedLineSimTest : public QObject, protected SimHarness {
  Q_OBJECT

  QProcess secondSim_;

  // Waits until the device heard `command`, then closes its end of the line;
  // the time from then until `window` shows its failure, or -1.
  qint64 UnplugAt(const QString& command, TransferWindow& window) {
    if (!SpinUntil([&] { return ReceivedCommands(log_).contains(command); }, 30000)) return -1;
    ::kill(static_cast<pid_t>(sim_.processId()), SIGKILL);
    QElapsedTimer sinceUnplug;
    sinceUnplug.start();
    if (!SpinUntil([&] { return window.Failed(); }, 5000)) return -1;
    return sinceUnplug.elapsed();
  }

private slots:
  void init() { QVERIFY(StartWithSimulator()); }
  void cleanup() {
    StopAll();
    secondSim_.terminate();
    secondSim_.waitForFinished(5000);
  }

  void runStopsAndThePortOpensAgain_data() {
    QTest::addColumn<bool>("read");
    QTest::newRow("read, parameters and setpoints") << true;
    QTest::newRow("write, setpoints") << false;
  }
  void runStopsAndThePortOpensAgain() {
    QFETCH(bool, read);
    QVERIFY(OpenAndIdentify());
    TGlobalVar& globals = GlobalVar();
    globals.ParameterTable.fill(4242);
    globals.SetpointTable.fill(4242);
    globals.ParameterSource = globals.SetpointSource = psNone;

    TransferWindow& window = read ? static_cast<TransferWindow&>(*FormLeesParSoll) : *FormSchrijfParSoll;
    qint64 failedAfterMs = -1;
    QString panel;
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      failedAfterMs = UnplugAt(read ? "rp 40" : "ws 10 10", window);
      panel = window.Panel1->text();
      QTest::mouseClick(window.CmdCancel, Qt::LeftButton);
      return failedAfterMs >= 0;
    });
    if (read) {
      Main().findChild<QAction*>("VQ80ontvangen1")->trigger();
    } else {
      for (int n = 1; n <= kSetpointCount; ++n) FormSchrijfParSoll->SendSetpoints[std::size_t(n)] = n;
      FormSchrijfParSoll->Mode = kTransferSetpoints;
      FormSchrijfParSoll->exec();
    }
    QVERIFY(driver.Done() && driver.Ok());
    QVERIFY2(failedAfterMs < 1000, qPrintable(QString("failure shown after %1 ms").arg(failedAfterMs)));
    QCOMPARE(panel, Q(Tekst(read ? "LeesParSoll" : "SchrijfParSoll", "PanelTekst1")));
    QCOMPARE(globals.ParameterTable[0], 4242);
    QCOMPARE(globals.SetpointTable[1], 4242);
    QCOMPARE(globals.ParameterSource, int(psNone));

    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QVERIFY(!Main().Port().Active());
    secondSim_.start(VQ2X_SIM_PATH, {"--pty", "--no-stdin"});
    QVERIFY(secondSim_.waitForStarted(5000) && QTest::qWaitFor([&] { return secondSim_.canReadLine(); }, 10000));
    Main().Paths()->SetConfigured(TPort::COM1, secondSim_.readLine().trimmed().toStdString());
    QVERIFY(OpenAndIdentify());
  }
};

QTEST_MAIN(UnpluggedLineSimTest)
#include "UnpluggedLineSimTest.moc"
