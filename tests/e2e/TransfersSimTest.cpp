// Backup and restore against the simulator, as a commissioning engineer
// moves a device's content: back it up, change two values in the file,
// restore it, back it up again; the device then holds the file's values.
#include <QAction>
#include <QLabel>
#include <QFile>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "ModalDriver.h"
#include "SimSupport.h"
#include "model/BackupFile.h"
#include "model/LanguageTexts.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "ui/QtText.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TransfersSimTest : public QObject, protected SimHarness {
  Q_OBJECT

  QTemporaryDir catalogueDir_;

  QAction* Menu(const char* name) { return Main().findChild<QAction*>(name); }

  // What the device heard after the first `before` commands, from `first`
  // on (an error poll answered just before a window opened stays out).
  QStringList HeardFrom(qsizetype before, const QString& first) {
    const QStringList heard = ReceivedCommands(log_).mid(before);
    return heard.mid(std::max<qsizetype>(0, heard.indexOf(first)));
  }

  // Waits for the run of `window` to end, keeps its panel text, clicks OK.
  static bool EndWithOk(TransferWindow& window, QString& finalText) {
    if (!SpinUntil([&] { return window.Finished() || window.Failed(); }, 120000)) return false;
    finalText = window.Panel1->text();
    QTest::mouseClick(window.CmdOK, Qt::LeftButton);
    return window.Finished();
  }

  // A run of `window` in `mode`, ended with OK: its final text, or none
  // when it did not finish.
  static QString Run(TransferWindow& window, int mode) {
    QString finalText;
    ModalDriver driver;
    driver.Then([&](QWidget&) { return EndWithOk(window, finalText); });
    window.Mode = mode;
    const bool accepted = window.exec() == QDialog::Accepted;
    return accepted && driver.Done() && driver.Ok() ? finalText : QString();
  }

  // Backup1 through the read window and the save dialog into `file`.
  bool Backup(const QString& file) {
    QString finalText;
    ModalDriver driver;
    driver.Then([&](QWidget&) { return EndWithOk(*FormLeesParSoll, finalText); }).ChooseFile(file);
    Menu("Backup1")->trigger();
    return driver.Done() && driver.Ok();
  }

  // Restore1 from `file`, confirmed for the whole device (its unit number
  // and line settings too); the write window's final text.
  QString Restore(const QString& file) {
    QString finalText;
    ModalDriver driver;
    driver.ChooseFile(file).Then([](QWidget& w) {
      auto* box = qobject_cast<QMessageBox*>(&w);
      if (box == nullptr || box->checkBox() == nullptr) return false;
      box->checkBox()->setChecked(false);
      box->button(QMessageBox::Yes)->click();
      return true;
    });
    driver.Then([&](QWidget&) { return EndWithOk(*FormSchrijfParSoll, finalText); });
    Menu("Restore1")->trigger();
    return driver.Done() && driver.Ok() ? finalText : QString();
  }

private slots:
  void init() {
    // Parameter 0 may hold -1 on this device, so a backup shows a negative
    // value in its first slot.
    QFile original(QString(VQ2X_DATA_DIR) + "/Parameters.txt");
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray catalogue = original.readAll();
    catalogue.replace(catalogue.indexOf("min=0"), 5, "min=-1");
    QFile widened(catalogueDir_.filePath("Parameters.txt"));
    QVERIFY(widened.open(QIODevice::WriteOnly) && widened.write(catalogue) == catalogue.size());
    widened.close();
    QVERIFY(StartWithSimulator({"--unit", "0:VQ22", "--catalogue", widened.fileName()}));
  }
  void cleanup() { StopAll(); }

  // Reads in `mode`, then writes what it read back; the device hears each
  // item once, in order, and "bp" after every write with parameters.
  void everyModeReadsAndWritesTheDevice_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("parameters") << 0;
    QTest::newRow("setpoints") << 1;
    QTest::newRow("both") << 2;
  }
  void everyModeReadsAndWritesTheDevice() {
    QFETCH(int, mode);
    QVERIFY(OpenAndIdentify());
    const bool parameters = mode != 1, setpoints = mode != 0;
    QStringList expectedReads;
    if (parameters)
      for (int i = 0; i < kParameterCount; ++i) expectedReads << QString("rp %1").arg(i);
    if (setpoints)
      for (int i = 1; i <= kSetpointCount; ++i) expectedReads << QString("rs %1").arg(i);

    qsizetype before = ReceivedCommands(log_).size();
    QVERIFY(!Run(*FormLeesParSoll, mode).isEmpty());
    QCOMPARE(HeardFrom(before, expectedReads.first()), expectedReads);

    QStringList expectedWrites;
    FormSchrijfParSoll->SendParameters = FormLeesParSoll->ReceivedParameters;
    FormSchrijfParSoll->SendSetpoints = FormLeesParSoll->ReceivedSetpoints;
    if (parameters)
      for (int i = 0; i < kParameterCount; ++i)
        expectedWrites << QString("wp %1 %2").arg(i).arg(FormSchrijfParSoll->SendParameters[std::size_t(i)]);
    if (setpoints)
      for (int i = 1; i <= kSetpointCount; ++i)
        expectedWrites << QString("ws %1 %2").arg(i).arg(FormSchrijfParSoll->SendSetpoints[std::size_t(i)]);
    if (parameters) expectedWrites << "bp";

    before = ReceivedCommands(log_).size();
    QVERIFY(!Run(*FormSchrijfParSoll, mode).isEmpty());
    QCOMPARE(HeardFrom(before, expectedWrites.first()), expectedWrites);
  }

  // A device that splits its replies into bursts and sends some of them
  // twice: a backup with fast transfers holds the same bytes as one without.
  void fastBackupEqualsTheOneWithoutFastTransfers() {
    StopAll();
    QVERIFY(StartWithSimulator({"--unit", "0:VQ22", "--burst", "4:5", "--double", "40"},
                               "[Serieel]\nbaudrate=6\nparity=1\nunit_no=0\n[Opties]\nSnelleOverdracht=1\n"));
    QVERIFY(OpenAndIdentify());
    const QString fast = folder_->File("fast.bak"), slow = folder_->File("slow.bak");
    QVERIFY(Backup(fast));
    Main().Port().SetFastReplies(false);
    QVERIFY(Backup(slow));
    QCOMPARE(ReadAll(fast), ReadAll(slow));
    // The doubled replies reached the backups: some reads were sent again.
    QVERIFY(ReceivedCommands(log_).filter(QRegularExpression("^rp ")).size() > 2 * kParameterCount);
  }

  void backupChangeRestoreAndBackupAgain() {
    QVERIFY(OpenAndIdentify());
    const QString first = folder_->File("first.bak");
    QVERIFY(Backup(first));
    BackupRead read = ReadBackupFile(ReadAll(first).toStdString());
    QVERIFY(read.Loaded());

    DeviceContent changed = read.content;
    changed.parameters[0] = -1;
    changed.setpoints[24] = 5;
    const QString restored = folder_->File("changed.bak");
    folder_->Write("changed.bak", QByteArray::fromStdString(BackupFileBytes(changed)));
    const qsizetype before = ReceivedCommands(log_).size();
    QCOMPARE(Restore(restored), Q(Tekst("SchrijfParSoll", "PanelTekst8")));

    // The device heard 316 parameter writes, 24 setpoint writes and "bp",
    // and no error poll while the write window was shown.
    const QStringList restore = ReceivedCommands(log_).mid(before);
    QCOMPARE(restore.filter(QRegularExpression("^wp ")).size(), 316);
    QCOMPARE(restore.filter(QRegularExpression("^ws ")).size(), 24);
    QCOMPARE(restore.count("bp"), 1);
    QVERIFY(restore.contains("wp 0 -1"));
    QVERIFY(restore.contains("ws 24 5"));
    const qsizetype firstWrite = restore.indexOf("wp 0 -1");
    QVERIFY(!restore.mid(firstWrite, restore.indexOf("bp") - firstWrite).contains("rf"));

    const QString second = folder_->File("second.bak");
    QVERIFY(Backup(second));
    const QByteArray bytes = ReadAll(second);
    QCOMPARE(bytes.mid(8, 4), QByteArray("\xFF\xFF\xFF\xFF", 4));
    QCOMPARE(bytes.mid(8104, 4), QByteArray("\x05\x00\x00\x00", 4));
    QCOMPARE(bytes, ReadAll(restored));
  }
};

QTEST_MAIN(TransfersSimTest)
#include "TransfersSimTest.moc"
