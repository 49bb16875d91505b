// "Log all traffic" in the options window: the run's transcript appears in
// the chosen folder with the line's exchanges, and the choice is kept in
// application.ini.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "comm/TranscriptReader.h"
#include "shell/Opties.h"
#include "ui/QtText.h"

class TrafficLogTest : public QObject, protected ToolHarness {
  Q_OBJECT

private slots:
  void init() { Reset(); }
  void cleanup() { Stop(); }

  void theOptionWritesEveryExchangeIntoTheChosenFolder() {
    Start();
    const QString folder = folder_->File("traffic");
    FormOpties->show();
    QVERIFY(!FormOpties->CheckLogVerkeer->isChecked());
    FormOpties->CheckLogVerkeer->setChecked(true);
    FormOpties->EditLogMap->setText(folder);
    QTest::mouseClick(FormOpties->CmdOK, Qt::LeftButton);
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    Main().close();
    windows_.reset();

    const QStringList files = QDir(folder).entryList({"vq2x-traffic-*.txt"}, QDir::Files);
    QCOMPARE(files.size(), 1);
    QFile file(QDir(folder).filePath(files.front()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const TranscriptRead read = ReadTranscript(file.readAll().toStdString());
    QVERIFY(read.recognised && read.problems.empty());
    QStringList exchanges;
    for (const TranscriptEvent& e : read.events)
      if (e.kind == TranscriptEvent::Kind::Exchange) exchanges << Q(e.sent + "|" + (e.replies.empty() ? "" : e.replies.back()));
    QCOMPARE(exchanges.mid(0, 2), (QStringList{"sc 0\r|sc 0\r\n", "rt\r|rt VQ22 V2.14\r\n"}));
    QCOMPARE(read.events.front().kind, TranscriptEvent::Kind::Open);
    QCOMPARE(read.events.back().kind, TranscriptEvent::Kind::Close);
    const QByteArray settings = folder_->Read("application.ini");
    QVERIFY2(settings.contains("LogVerkeer=1\n") && settings.contains(("LogMap=" + folder + "\n").toUtf8()), settings.constData());
  }
};

QTEST_MAIN(TrafficLogTest)
#include "TrafficLogTest.moc"
