// The real main window and serial stack on a pseudo-terminal against the
// real vq2x-sim, checked from the device side through the simulator's log.
#include <QFile>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "shell/IndicatorBox.h"

namespace {

struct LogLine {
  int ms;  // milliseconds since midnight
  QString direction;
  QString bytes;
};

// "HH:MM:SS.mmm rx "sc 0\r"" lines of the simulator's log.
std::vector<LogLine> ReadLog(const QString& path) {
  std::vector<LogLine> lines;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return lines;
  static const QRegularExpression pattern(R"re(^(\d\d):(\d\d):(\d\d)\.(\d\d\d) (rx|tx) "(.*)"$)re");
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const auto m = pattern.match(QString::fromUtf8(raw));
    if (!m.hasMatch()) continue;
    const int ms = ((m.captured(1).toInt() * 60 + m.captured(2).toInt()) * 60 + m.captured(3).toInt()) * 1000 +
                   m.captured(4).toInt();
    QString bytes = m.captured(6);
    bytes.replace("\\r", "\r").replace("\\n", "\n");
    lines.push_back({ms, m.captured(5), bytes});
  }
  return lines;
}

std::vector<LogLine> Received(const QString& path) {
  std::vector<LogLine> out;
  for (const LogLine& l : ReadLog(path))
    if (l.direction == "rx") out.push_back(l);
  return out;
}

// Runs the event loop as the program does (QTest::qWait sleeps between
// rounds, which would slow every hand-over of the worker down).
void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QString Command(const LogLine& line) { return line.bytes.chopped(line.bytes.endsWith('\r') ? 1 : 0); }

}  // namespace

class MainWindowSimTest : public QObject {
  Q_OBJECT

  QProcess sim_;
  QString slave_;
  QString log_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<WindowSet> windows_;

  TFormMain& Main() { return windows_->Main(); }

private slots:
  void init() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    log_ = folder_->File("sim.log");
    sim_.setProgram(VQ2X_SIM_PATH);
    sim_.setArguments({"--pty", "--no-stdin", "--unit", "0:VQ22", "--unit", "7:VQ20:19200:1", "--log", log_});
    sim_.start();
    QVERIFY(sim_.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim_.canReadLine(), 10000);
    slave_ = QString::fromUtf8(sim_.readLine()).trimmed();
    QVERIFY(slave_.startsWith("/dev/"));
    // The port is found through the configuration file's port table.
    folder_->Write("application.ini", ("[Serieel]\nbaudrate=6\nparity=1\nunit_no=0\n[Poorten]\nCOM1=" + slave_ + "\n").toUtf8());
    ResetSharedState();
    MainWindowSetup setup;
    setup.programDir = folder_->Path();
    windows_ = std::make_unique<WindowSet>(setup);
    Main().show();
  }
  void cleanup() {
    if (windows_) Main().close();
    windows_.reset();
    sim_.terminate();
    sim_.waitForFinished(5000);
  }

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
