// The real main window and serial stack on a pseudo-terminal against the
// real vq2x-sim, checked from the device side through the simulator's log.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "SimSupport.h"
#include "shell/IndicatorBox.h"

class MainWindowSimTest : public QObject, protected SimHarness {
  Q_OBJECT

private slots:
  void init() { QVERIFY(StartWithSimulator({"--unit", "0:VQ22", "--unit", "7:VQ20:19200:1"})); }
  void cleanup() { StopAll(); }

  void openingIdentifiesTheDeviceWithExactlyFourCommands() {
    Main().Timer1->stop();
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QVERIFY(Main().Port().Active());
    QTRY_VERIFY_WITH_TIMEOUT(!Main().StatusPanels[4]->text().isEmpty(), 10000);
    QCOMPARE(Main().StatusPanels[0]->text(), QString("COM 1"));
    QCOMPARE(Main().StatusPanels[1]->text(), QString("38400,E,8,1"));
    QVERIFY(Main().StatusPanels[2]->text().startsWith("VQ22"));
    QTest::qWait(200);
    const auto received = Received(log_);
    QStringList commands;
    for (const LogLine& l : received) commands << Command(l);
    QCOMPARE(commands, (QStringList{"sc 0", "rt", "rh", "rx"}));
  }

  void liveValuesAndIoCycleWithoutPacingAndTheErrorPollOncePerSecond() {
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Main().StatusPanels[4]->text().isEmpty(), 10000);
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTest::mouseClick(Main().CmdInUit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Main().ValuePanels[0]->text().isEmpty(), 5000);
    Spin(3500);
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTest::mouseClick(Main().CmdInUit, Qt::LeftButton);

    const auto received = Received(log_);
    QStringList commands;
    std::vector<int> rfTimes;
    for (const LogLine& l : received) {
      commands << Command(l);
      if (Command(l) == "rf") rfTimes.push_back(l.ms);
    }
    // VQ22 with the simulator's parameters unread (all 0): position, velocity,
    // analog input voltage and value, inputs and outputs, one after the
    // other as fast as the device answers (about 50 ms each).
    for (const char* c : {"r0", "r1", "r4", "r6", "ri", "ru"}) QVERIFY2(commands.count(c) >= 5, qPrintable(commands.join(" ")));
    QCOMPARE(commands.count("r2"), 0);
    // The error number about once a second (the timer is not exact under load).
    QVERIFY2(rfTimes.size() >= 2 && rfTimes.size() <= 6, qPrintable(QString::number(rfTimes.size())));
    for (std::size_t i = 1; i < rfTimes.size(); ++i) QVERIFY(rfTimes[i] - rfTimes[i - 1] >= 500);
    // The panels show the device's values.
    QVERIFY(Main().ValuePanels[0]->text().isEmpty());  // cleared after switching off
  }

  void terminalAnswersRt() {
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Main().StatusPanels[4]->text().isEmpty(), 10000);
    Main().EditZenden->setText("rt");
    QTest::mouseClick(Main().CmdTerminalZenden, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Main().MemoReceive->toPlainText().startsWith("rt VQ22"), 5000);
  }

  void nothingIsSentWhileThePortIsClosed() {
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Main().StatusPanels[4]->text().isEmpty(), 10000);
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTest::qWait(300);
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QVERIFY(!Main().Port().Active());
    QTest::qWait(300);
    const std::size_t before = Received(log_).size();
    QTest::qWait(2200);
    QCOMPARE(Received(log_).size(), before);
  }

  void aUnitAtAnotherBaudRateStaysSilent() {
    Main().Timer1->stop();
    Main().SpinEditUnitSelect->setValue(7);  // unit 7 listens at 19200 only
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Main().PanelComInfo->text().isEmpty(), 5000);
    QCOMPARE(Main().StatusPanels[2]->text(), QString());
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    Main().Port().SetBaudrate(TBaudrate::br19200);
    Main().Port().SetFrameStopbits(TStopBit::sb_1);
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Main().StatusPanels[2]->text().startsWith("VQ20"), 10000);
  }

  void closingTheToolWritesItsSettings() {
    Main().SpinEditUnitSelect->setValue(5);
    Main().close();
    const QByteArray written = folder_->Read("application.ini");
    QVERIFY(written.contains("unit_no=5\n"));
    QVERIFY(written.contains(("COM1=" + slave_ + "\n").toUtf8()));
  }
};

QTEST_MAIN(MainWindowSimTest)
#include "MainWindowSimTest.moc"
