// The read and write windows, backup and restore, on the virtual line: what
// the panel says for each end of a run, the buttons, Cancel, the paused
// error poll, and the files a backup writes and a restore refuses.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <map>
#include <mutex>
#include <optional>

#include "GuiTestSupport.h"
#include "ModalDriver.h"
#include "ReplyRows.h"
#include "ValueDevice.h"
#include "model/BackupFile.h"
#include "model/Catalogue.h"
#include "model/FunctionLabels.h"
#include "model/LanguageTexts.h"
#include "params/LeesParSoll.h"
#include "params/SchrijfParSoll.h"
#include "shell/VQ20Main.h"
#include "ui/QtText.h"

namespace {

bool Red(QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(Qt::red); }

}  // namespace

class TransfersTest : public QObject, protected ToolHarness {
  Q_OBJECT

  std::shared_ptr<ValueDevice> values_;

  void StartConnected(const QStringList& dataFiles = kAllDataFiles) {
    Start(dataFiles);
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
  }
  // The write or read window, shown (and so started) in `mode`.
  TransferWindow& Shown(bool write, int mode) {
    TransferWindow& w = write ? static_cast<TransferWindow&>(*FormSchrijfParSoll) : *FormLeesParSoll;
    w.Mode = mode;
    w.show();
    return w;
  }
  static QString Text(bool write, const QString& key) {
    return Q(Tekst(write ? "SchrijfParSoll" : "LeesParSoll", S(key), ""));
  }
  bool WaitEnded(TransferWindow& w, int timeoutMs = 120000) {
    return SpinUntil([&] { return w.Failed() || w.Finished(); }, timeoutMs);
  }
  QAction* Menu(const char* name) { return Main().findChild<QAction*>(name); }
  int Count(const std::string& command) {
    const auto sent = Commands();
    return static_cast<int>(std::count(sent.begin(), sent.end(), command));
  }

private slots:
  void init() {
    Reset();
    values_ = AnswerValues(*line_, device_);
  }
  void cleanup() {
    for (QDialog* w : std::initializer_list<QDialog*>{FormLeesParSoll, FormSchrijfParSoll})
      if (w != nullptr && w->isVisible()) w->reject();
    Stop();
  }

  void endsOfARun_data() {
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("command");  // the command whose replies are planned
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("status");  // pieces joined by "|": text keys or literal text
    QTest::addColumn<bool>("red");
    QTest::addColumn<bool>("okEnabled");
    const QStringList none;
    QTest::newRow("read parameters") << false << 0 << "" << none << "PanelTekst3" << false << true;
    QTest::newRow("read setpoints") << false << 1 << "" << none << "PanelTekst5" << false << true;
    QTest::newRow("read a device") << false << 3 << "" << none << "PanelTekst6" << false << true;
    QTest::newRow("read garbled twice") << false << 0 << "rp 120" << QStringList{"xq#0 1", "xq#0 1"}
                                        << "PanelTekst7| xq#0   P[120]" << true << false;
    QTest::newRow("setpoint shifted twice") << false << 1 << "rs 7" << QStringList{"rs 6 1", "rs 6 1"}
                                            << "PanelTekst7| rs 6   S[007]" << true << false;
    QTest::newRow("read times out") << false << 0 << "rp 5" << QStringList{""} << "PanelTekst0" << true << false;
    QTest::newRow("write parameters") << true << 0 << "" << none << "PanelTekst3" << false << true;
    QTest::newRow("write setpoints") << true << 1 << "" << none << "PanelTekst5" << false << true;
    QTest::newRow("write both") << true << 2 << "" << none << "PanelTekst6" << false << true;
    QTest::newRow("restore") << true << 3 << "" << none << "PanelTekst8" << false << true;
    QTest::newRow("value refused") << true << 0 << "wp 120 0" << QStringList{"er 7"} << "(er 7) |PanelTekst9" << true
                                   << false;
    QTest::newRow("compute failed") << true << 0 << "bp" << QStringList{"bp 3"} << "PanelTekst10| 3 |PanelTekst11"
                                    << true << true;
  }
  void endsOfARun() {
    QFETCH(bool, write);
    QFETCH(int, mode);
    QFETCH(QString, command);
    QFETCH(QStringList, replies);
    QFETCH(QString, status);
    QFETCH(bool, red);
    QFETCH(bool, okEnabled);
    StartConnected();
    std::vector<std::string> planned;
    for (const QString& r : replies) planned.push_back(S(r));
    values_->Plan(S(command), planned);
    TransferWindow& w = Shown(write, mode);
    QCOMPARE(w.windowTitle(), Text(write, QString("CaptionMode%1").arg(mode)));
    QVERIFY(WaitEnded(w));
    QCOMPARE(w.Panel1->text(), StatusText(status, [&](const QString& key) { return Text(write, key); }));
    QCOMPARE(Red(w.Panel1), red);
    QCOMPARE(w.CmdOK->isEnabled(), okEnabled);
    QVERIFY(w.CmdAgain->isEnabled());
    SaveScreenshot(w, QString("transfer-%1-%2").arg(write ? "write" : "read").arg(QTest::currentDataTag()).replace(' ', '-'));
  }

  void againStartsAtTheFirstItemAndOkHandsTheValuesOver() {
    StartConnected();
    values_->Plan("wp 120 -5", {"er 7"});
    FormSchrijfParSoll->Mode = 0;
    FormSchrijfParSoll->SendParameters.fill(-5);
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      if (!WaitEnded(*FormSchrijfParSoll) || !FormSchrijfParSoll->Failed()) return false;
      QTest::mouseClick(FormSchrijfParSoll->CmdAgain, Qt::LeftButton);
      if (!WaitEnded(*FormSchrijfParSoll) || !FormSchrijfParSoll->Finished()) return false;
      QTest::mouseClick(FormSchrijfParSoll->CmdOK, Qt::LeftButton);
      return true;
    });
    QCOMPARE(FormSchrijfParSoll->exec(), int(QDialog::Accepted));
    QVERIFY(driver.Ok());
    // 121 writes up to the refusal, then the whole run again with its compute.
    QCOMPARE(Count("wp 0 -5"), 2);
    QCOMPARE(Count("wp 120 -5"), 2);
    QCOMPARE(Count("wp 315 -5"), 1);
    QCOMPARE(Count("bp"), 1);
  }

  void cancelDuringAnExchangeClosesOnItsReply() {
    StartConnected();
    values_->SetDelay(400);
    TransferWindow& w = Shown(false, 0);
    QTest::mouseClick(w.CmdCancel, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 3000);
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(Count("rp 1"), 0);
  }

  void cancelAfterAFailureClosesAtOnce() {
    StartConnected();
    values_->Plan("rs 1", {""});
    TransferWindow& w = Shown(false, 1);
    QVERIFY(WaitEnded(w));
    QTest::mouseClick(w.CmdCancel, Qt::LeftButton);
    QVERIFY(!w.isVisible());
  }

  void onlyTheButtonsEndTheWindow() {
    StartConnected();
    values_->SetDelay(200);
    TransferWindow& w = Shown(true, 1);
    QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
  }

  void noErrorPollWhileATransferWindowIsShown() {
    StartConnected();
    values_->SetDelay(20);
    QTRY_VERIFY_WITH_TIMEOUT(Count("rf") > 0, 5000);  // the main window polls its error number
    const std::size_t before = Commands().size();
    TransferWindow& w = Shown(false, 2);
    QVERIFY(WaitEnded(w, 30000));
    const auto sent = Commands();
    QCOMPARE(std::count(sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end(), "rf"), 0);
    QCOMPARE(sent.size() - before, std::size_t{340});
  }

  void cancellingTheSaveDialogWritesNothing() {
    StartConnected();
    GlobalVar().OpenCloseDialoogPath = folder_->Path() + "/";
    const std::string pathBefore = GlobalVar().OpenCloseDialoogPath;
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      if (!WaitEnded(*FormLeesParSoll, 30000)) return false;
      QTest::mouseClick(FormLeesParSoll->CmdOK, Qt::LeftButton);
      return true;
    });
    driver.Then([](QWidget& w) {
      auto* dialog = qobject_cast<QFileDialog*>(&w);
      if (dialog == nullptr) return false;
      dialog->reject();
      return true;
    });
    Menu("Backup1")->trigger();
    QVERIFY(driver.Done());
    QVERIFY(driver.Ok());
    QCOMPARE(GlobalVar().OpenCloseDialoogPath, pathBefore);
    QCOMPARE(QDir(Q(folder_->Path())).entryList({"*.bak"}, QDir::Files).size(), 0);
  }

  void aFailedSaveNamesTheFileOnce() {
    StartConnected();
    const QString file = "/proc/device.bak";  // nobody can make a file there
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      if (!WaitEnded(*FormLeesParSoll, 30000)) return false;
      QTest::mouseClick(FormLeesParSoll->CmdOK, Qt::LeftButton);
      return true;
    });
    driver.ChooseFile(file).Answer(QMessageBox::Ok);
    Menu("Backup1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(driver.Boxes().front().name, QString("BackupNotSaved"));
    QCOMPARE(driver.Boxes().front().text.count(file), 1);
  }

  void aBackupHoldsTheDevicesValues() {
    StartConnected();
    values_->Plan("rp 0", {"rp 0 -1"});
    values_->Plan("rs 24", {"rs 24 5"});
    const QString file = folder_->File("device.bak");
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      if (!WaitEnded(*FormLeesParSoll, 30000)) return false;
      QTest::mouseClick(FormLeesParSoll->CmdOK, Qt::LeftButton);
      return true;
    });
    driver.ChooseFile(file);
    const auto tableBefore = GlobalVar().ParameterTable;
    Menu("Backup1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QCOMPARE(bytes.size(), qsizetype(kBackupFileSize));
    QCOMPARE(bytes.mid(8, 4), QByteArray("\xFF\xFF\xFF\xFF", 4));
    QCOMPARE(bytes.mid(8104, 4), QByteArray("\x05\x00\x00\x00", 4));
    QCOMPARE(bytes.mid(16012, 4), QByteArray("\x15\xCD\x5B\x07", 4));
    QCOMPARE(GlobalVar().ParameterTable, tableBefore);  // a backup leaves the tables alone
    QCOMPARE(Q(GlobalVar().OpenCloseDialoogPath), QFileInfo(file).absolutePath() + "/");
  }

  void receiveEverythingTakesBothTablesOverOnlyOnOk_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
  }
  void receiveEverythingTakesBothTablesOverOnlyOnOk() {
    QFETCH(bool, ok);
    StartConnected();
    const int output = kOutputFunctionParameters[0];
    values_->Plan("rp " + std::to_string(output), {"rp " + std::to_string(output) + " 2"});
    values_->Plan("rs 24", {"rs 24 5"});
    values_->SetDelay(ok ? 2 : 400);
    const QString labelBefore = Main().OutputFunctionLabels[0]->text();
    ModalDriver driver;
    driver.Then([&](QWidget&) {
      if (!ok) {
        QTest::mouseClick(FormLeesParSoll->CmdCancel, Qt::LeftButton);
        return SpinUntil([] { return !FormLeesParSoll->isVisible(); }, 5000);
      }
      if (!WaitEnded(*FormLeesParSoll) || !FormLeesParSoll->Finished()) return false;
      QTest::mouseClick(FormLeesParSoll->CmdOK, Qt::LeftButton);
      return true;
    });
    const auto parametersBefore = GlobalVar().ParameterTable;
    const auto setpointsBefore = GlobalVar().SetpointTable;
    const int sourceBefore = GlobalVar().ParameterSource;
    Menu("VQ80ontvangen1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    if (!ok) {
      QCOMPARE(GlobalVar().ParameterTable, parametersBefore);
      QCOMPARE(GlobalVar().SetpointTable, setpointsBefore);
      QCOMPARE(GlobalVar().ParameterSource, sourceBefore);
      QCOMPARE(Main().OutputFunctionLabels[0]->text(), labelBefore);
      return;
    }
    QCOMPARE(GlobalVar().ParameterTable[std::size_t(output)], 2);
    QCOMPARE(GlobalVar().SetpointTable[24], 5);
    QCOMPARE(GlobalVar().ParameterSource, int(psDevice));
    QCOMPARE(GlobalVar().SetpointSource, int(psDevice));
    QCOMPARE(Main().OutputFunctionLabels[0]->text(), Q(Catalogue::OptionText(GlobalVar().ParameterCatalogue, output, 0, 2)));
    QCOMPARE(Count("rs 1"), 1);
    QCOMPARE(Count("rp 315"), 1);
  }

  void aRestoreRefusesWhatIsNoBackup_data() {
    QTest::addColumn<bool>("language");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("corruptAt");  // -1: none
    QTest::addColumn<QString>("key");    // the message's key in the language file
    QTest::newRow("second end marker") << true << 16020 << 16016 << "OpenMsg2";
    QTest::newRow("first start marker") << true << 16020 << 0 << "OpenMsg2";
    QTest::newRow("one byte short") << true << 16019 << -1 << "OpenMsg3";
    QTest::newRow("one byte long") << true << 16021 << -1 << "OpenMsg3";
    QTest::newRow("no language file, bad marker") << false << 16020 << 16012 << "";
  }
  void aRestoreRefusesWhatIsNoBackup() {
    QFETCH(bool, language);
    QFETCH(int, size);
    QFETCH(int, corruptAt);
    QFETCH(QString, key);
    StartConnected(language ? kAllDataFiles : QStringList{"Parameters.txt", "ParNo.txt"});
    QByteArray bytes = QByteArray::fromStdString(BackupFileBytes(DeviceContent{}));
    if (corruptAt >= 0) bytes[corruptAt] = bytes[corruptAt] ^ 1;
    bytes.resize(size);
    const QString file = folder_->File("odd.bak");
    folder_->Write("odd.bak", bytes);
    ModalDriver driver;
    driver.ChooseFile(file).Answer(QMessageBox::Ok);
    const std::size_t before = Commands().size();
    Menu("Restore1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    QCOMPARE(driver.Boxes().front().name, QString("RestoreRefused"));
    QVERIFY(!driver.Boxes().front().text.isEmpty());
    if (!key.isEmpty()) QCOMPARE(driver.Boxes().front().text, Q(Tekst("BackupRestore", key.toUtf8().constData())));
    for (std::size_t i = before; i < Commands().size(); ++i) QVERIFY(Commands()[i].rfind("wp", 0) != 0);
  }

  void aRestoreAsksFirstAndSendsOnlyOnYes_data() {
    QTest::addColumn<bool>("language");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << true << int(QMessageBox::Yes);
    QTest::newRow("no") << true << int(QMessageBox::No);
    QTest::newRow("cancel") << true << int(QMessageBox::Cancel);
    QTest::newRow("no language file, yes") << false << int(QMessageBox::Yes);
  }
  void aRestoreAsksFirstAndSendsOnlyOnYes() {
    QFETCH(bool, language);
    QFETCH(int, answer);
    StartConnected(language ? kAllDataFiles : QStringList{"Parameters.txt", "ParNo.txt"});
    DeviceContent content;
    content.parameters[0] = 0;  // the open unit's own backup: its number is written too
    content.setpoints[24] = 5;
    const QString file = folder_->File("device.bak");
    folder_->Write("device.bak", QByteArray::fromStdString(BackupFileBytes(content)));
    const bool yes = answer == QMessageBox::Yes;
    ModalDriver driver;
    driver.ChooseFile(file).Answer(static_cast<QMessageBox::StandardButton>(answer));
    if (yes)
      driver.Then([&](QWidget&) {
        if (!WaitEnded(*FormSchrijfParSoll, 30000) || FormSchrijfParSoll->Mode != 3) return false;
        QTest::mouseClick(FormSchrijfParSoll->CmdOK, Qt::LeftButton);
        return true;
      });
    Menu("Restore1")->trigger();
    QVERIFY(driver.Done() && driver.Ok());
    const auto& box = driver.Boxes().front();
    QCOMPARE(box.name, QString("RestoreConfirmation"));
    QVERIFY(box.text.contains("  " + file + "\n"));
    if (language) QVERIFY(box.text.startsWith(Q(Tekst("BackupRestore", "Msg_waarschuwingRestore_1"))));
    QCOMPARE(Count("wp 0 0"), yes ? 1 : 0);
    QCOMPARE(Count("ws 24 5"), yes ? 1 : 0);
    QCOMPARE(Count("bp"), yes ? 1 : 0);
  }
};

QTEST_MAIN(TransfersTest)
#include "TransfersTest.moc"
