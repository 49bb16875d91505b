// The live log graph against the real simulator: the moving axis recorded
// as the device reports it, then exported.
#include <QFile>
#include <QPushButton>

#include "SimSupport.h"
#include "tools/StripChartView.h"

class GrafiekSimTest : public QObject, protected SimHarness {
  Q_OBJECT

  TFormGrafiek& Window() { return *FormGrafiek; }

private slots:
  // A shorter triangle than the simulator's default, to keep the test short.
  void init() { QVERIFY(StartWithSimulator({"--unit", "0:VQ22", "--motion", "triangle:0:10000:4"})); }
  void cleanup() { StopAll(); }

  void theMovingAxisIsRecordedAsATriangle() {
    QVERIFY(OpenAndIdentify());
    Main().Timer1->stop();
    GlobalVar().X_Div = 2;  // 1 sec
    GlobalVar().Y_Div = 4;  // 2000
    Window().open();
    QTest::mouseClick(Window().CmdStartLog, Qt::LeftButton);
    Spin(6000);
    QTest::mouseClick(Window().CmdStopLog, Qt::LeftButton);
    Spin(200);

    const GraphRecording& r = Window().Recording();
    const int count = r.LogCount() + 1;
    QVERIFY2(count > 40, qPrintable(QString::number(count)));
    // Only the position was polled, one request at a time.
    const QStringList received = ReceivedCommands(log_);
    const QStringList polls = received.mid(received.indexOf("r0"));
    QVERIFY2(polls.size() >= count && polls.size() <= count + 1, qPrintable(QString("%1 polls for %2 samples").arg(polls.size()).arg(count)));
    QCOMPARE(polls.filter("r0").size(), polls.size());

    // Rising at 5000 counts a second, falling as fast, between 0 and 10000:
    // the direction turns at most twice in 6 s and every step is small (a
    // sample is stamped when its reply is handled, which jitters under load).
    int turns = 0, direction = 0, lowest = 10000, highest = 0;
    for (int i = 1; i < count; ++i) {
      const int step = r.LogValues()[i] - r.LogValues()[i - 1];
      const int dt = r.LogTimes()[i] - r.LogTimes()[i - 1];
      QVERIFY2(std::abs(step) <= 1500, qPrintable(QString("sample %1: %2 in %3 ms").arg(i).arg(step).arg(dt)));
      const int d = step > 0 ? 1 : step < 0 ? -1 : 0;
      if (d != 0 && direction != 0 && d != direction) ++turns;
      if (d != 0) direction = d;
      lowest = std::min(lowest, r.LogValues()[i]);
      highest = std::max(highest, r.LogValues()[i]);
    }
    QVERIFY2(turns >= 1 && turns <= 3, qPrintable(QString::number(turns)));
    QVERIFY(highest - lowest > 8000);
    SaveScreenshot(Window(), "graph-window-simulator");

    const QString path = folder_->File("axis.csv");
    QString error;
    QVERIFY2(Window().ExportTo(path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("\r\n"), count + 1);
    Window().close();
  }
};

QTEST_MAIN(GrafiekSimTest)
#include "GrafiekSimTest.moc"
