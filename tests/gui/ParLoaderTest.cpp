// The loader: one "bp" at every opening and its outcome, on the virtual line.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "GuiTestSupport.h"
#include "ReplyRows.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

namespace {

QString Text(const char* key) { return Q(Tekst("Loader", key, "")); }

bool Red(QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(Qt::red); }

}  // namespace

class ParLoaderTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormParLoader& Loader() { return *FormParLoader; }

  void AnswerCompute(VirtualReply reply) {
    line_->SetResponder([device = device_, reply](const std::string& r) {
      return r.rfind("bp", 0) == 0 ? reply : (*device)(r);
    });
  }
  int ComputeCommands() {
    const auto sent = Commands();
    return static_cast<int>(std::count(sent.begin(), sent.end(), "bp"));
  }

private slots:
  void init() { Reset(); }
  void cleanup() {
    if (FormParLoader != nullptr) Loader().reject();
    Stop();
  }

  void outcomes_data() {
    QTest::addColumn<QByteArray>("reply");  // empty: silence
    QTest::addColumn<int>("afterMs");       // -1: with a line fault
    QTest::addColumn<QString>("status");    // pieces joined by "|": text keys or literal text
    QTest::addColumn<bool>("red");
    QTest::addColumn<bool>("pendingAfter");
    QTest::newRow("taken over") << QByteArray("bp -1\r\n") << 5 << "PanelTekst4" << false << false;
    // A device still computing answers late; it is waited for as long as the write window does.
    QTest::newRow("taken over late") << QByteArray("bp -1\r\n") << 1500 << "PanelTekst4" << false << false;
    QTest::newRow("refused") << QByteArray("bp 2\r\n") << 5 << "PanelTekst5| 2 |PanelTekst6" << true << false;
    QTest::newRow("silent") << QByteArray() << 0 << "PanelTekst0" << true << true;
    QTest::newRow("too late") << QByteArray("bp -1\r\n") << 2100 << "PanelTekst0" << true << true;
    QTest::newRow("line fault") << QByteArray("bp -1\r\n") << -1 << "PanelTekst2" << true << true;
    QTest::newRow("not an answer to bp") << QByteArray("rp 1 -1\r\n") << 5 << "PanelTekst2" << true << true;
  }
  void outcomes() {
    QFETCH(QByteArray, reply);
    QFETCH(int, afterMs);
    QFETCH(QString, status);
    QFETCH(bool, red);
    QFETCH(bool, pendingAfter);
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    AnswerCompute(ScriptedReply(reply, afterMs));
    FormEditParam->ParamSentNotLoaded = true;
    Loader().show();
    const QString expected = StatusText(status, [](const QString& key) { return Text(qPrintable(key)); });
    QTRY_COMPARE_WITH_TIMEOUT(Loader().Panel1->text(), expected, 5000);
    QCOMPARE(Red(Loader().Panel1), red);
    QCOMPARE(FormEditParam->ParamSentNotLoaded, pendingAfter);
    // One exchange; the serial library itself tries a faulty line three times.
    QCOMPARE(ComputeCommands(), afterMs < 0 ? 3 : 1);
    QCOMPARE(Loader().windowTitle(), Text("Caption"));
  }

  void everyOpeningComputesAgain() {
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    AnswerCompute(VirtualReply::Answer("bp -1\r\n"));
    for (int opening = 1; opening <= 2; ++opening) {
      Loader().show();
      QTRY_COMPARE(Loader().Panel1->text(), Text("PanelTekst4"));
      QCOMPARE(ComputeCommands(), opening);
      QTest::mouseClick(Loader().CmdOK, Qt::LeftButton);
      QVERIFY(!Loader().isVisible());
    }
    QVERIFY(!(Loader().windowFlags() & Qt::WindowCloseButtonHint));
  }

  void screenshot() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=" + qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n");
    StartIn();
    QVERIFY(OpenPort());
    AnswerCompute(VirtualReply::Answer("bp 5\r\n"));
    Loader().show();
    QTRY_VERIFY(Red(Loader().Panel1));
    SaveScreenshot(Loader(), "loader-window-refused");
  }

  void closedPortIsReported() {
    Start();
    Loader().show();
    QCOMPARE(Loader().Panel1->text(), Text("PanelTekst2"));
    QVERIFY(Red(Loader().Panel1));
    QCOMPARE(ComputeCommands(), 0);
  }
};

QTEST_MAIN(ParLoaderTest)
#include "ParLoaderTest.moc"
