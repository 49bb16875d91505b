// The options and serial settings windows, driven through their controls:
// on the virtual line, and (for the mapping of a COM number to a device
// path) on a pseudo-terminal with the real simulator.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <cerrno>

#include "GuiTestSupport.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

namespace {

QString ActionText(TFormMain& main, const char* name) { return main.findChild<QAction*>(name)->text(); }

// Answers the next message box and keeps its informative text too.
struct SeenBox {
  QString name, text, detail;
};

void AnswerBoxes(QObject* owner, std::vector<SeenBox>& seen) {
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, owner, [&seen] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen.push_back({box->objectName(), box->text(), box->informativeText()});
      box->done(QMessageBox::Ok);
    }
  });
  timer->start(10);
}

}  // namespace

class SettingsWindowsTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormInitSerial& Serial() { return *FormInitSerial; }
  TFormOpties& Options() { return *FormOpties; }

private slots:
  void init() { Reset(); }
  void cleanup() {
    for (QDialog* w : std::initializer_list<QDialog*>{FormInitSerial, FormOpties})
      if (w != nullptr) w->hide();
    Stop();
  }

  // --- Serial settings ------------------------------------------------------

  void listsComeFromTheLanguageFileAndShowThePortsSettings() {
    Start();
    TRkComm& port = Main().Port();
    port.SetPortName(TPort::COM2);
    port.SetBaudrate(TBaudrate::br38400);
    port.SetFrameStopbits(TStopBit::sb_2);
    Serial().show();
    QCOMPARE(Serial().windowTitle(), Q(Tekst("InitCom", "Caption")));
    QCOMPARE(Serial().ComboPoort->count(), 16);
    QCOMPARE(Serial().ComboPoort->currentText(), QString("COM2"));
    QCOMPARE(Serial().Combo_IO->currentText(), QString("02F8h"));
    QCOMPARE(Serial().ComboBaud->currentText(), QString("38400"));
    QCOMPARE(Serial().ComboStopBits->currentText(), QString("2"));
    QCOMPARE(Serial().ComboParity->currentText(), Q(TekstList("InitCom", "ParityItems")[2]));  // Odd, as laid out
    QCOMPARE(Serial().ComboHardware->currentIndex(), 3);
    for (QComboBox* shownOnly : {Serial().Combo_IO, Serial().ComboHardware, Serial().ComboTransmitter})
      QVERIFY(!shownOnly->isEnabled());
    QCOMPARE(Serial().PageControl1->currentIndex(), 0);
    QCOMPARE(Serial().ComboDevicePath->currentText(), QString("/dev/ttyS1"));
    QVERIFY(QTest::qWaitForWindowExposed(&Serial()));
    QApplication::processEvents();  // the layout takes the language's texts
    SaveScreenshot(Serial(), "serial-settings");
    Serial().PageControl1->setCurrentIndex(1);
    QApplication::processEvents();
    SaveScreenshot(Serial(), "serial-settings-extended");
  }

  void choosingComThreeSelectsTheThirdAddress_data() {
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("path");
    QTest::newRow("COM3") << 2 << 2 << "/dev/ttyS2";
    QTest::newRow("COM4") << 3 << 3 << "/dev/ttyS3";
    QTest::newRow("COM5: no address") << 4 << -1 << "/dev/ttyS4";
  }
  void choosingComThreeSelectsTheThirdAddress() {
    QFETCH(int, port);
    QFETCH(int, address);
    QFETCH(QString, path);
    Start();
    Serial().show();
    Serial().ComboPoort->setCurrentIndex(port);
    QCOMPARE(Serial().Combo_IO->currentIndex(), address);
    QCOMPARE(Serial().ComboDevicePath->currentText(), path);
  }

  void openingWhileLiveValuesRunClosesThePortAndCancelLeavesItClosed() {
    Start();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTRY_VERIFY(!Main().ValuePanels[0]->text().isEmpty());
    bool closedWhileShown = false;
    QTimer::singleShot(0, this, [&] {
      closedWhileShown = !Main().Port().Active() && !GlobalVar().LiveValuesOn;
      QTest::mouseClick(Serial().CmdCancel, Qt::LeftButton);
    });
    Main().findChild<QAction*>("Serial1")->trigger();
    QVERIFY(closedWhileShown);
    QVERIFY(!Main().Port().Active());
    QCOMPARE(Main().StatusPanels[1]->text(), QString("Offline"));
    const std::size_t sent = line_->RequestCount();
    QTest::qWait(1200);
    QCOMPARE(line_->RequestCount(), sent);
  }

  void okWritesTheSettingsAndOpensThePort() {
    Start();
    Serial().show();
    Serial().ComboBaud->setCurrentIndex(1);
    Serial().ComboParity->setCurrentIndex(0);
    Serial().ComboStopBits->setCurrentIndex(1);
    QTest::mouseClick(Serial().CmdOK, Qt::LeftButton);
    QVERIFY(!Serial().isVisible());
    TRkComm& port = Main().Port();
    QVERIFY(port.Active());
    QCOMPARE(port.Baudrate(), TBaudrate::br19200);
    QCOMPARE(port.FrameParitybit(), TParityBit::None);
    QCOMPARE(port.FrameStopbits(), TStopBit::sb_2);
    QCOMPARE(line_->Settings().baudrate, TBaudrate::br19200);
    QVERIFY(WaitIdentified());  // opening identifies the device
  }

  void aListWithoutSelectionKeepsThePortsSetting() {
    Start();
    Main().Port().SetBaudrate(TBaudrate::br1200);  // not offered by the list
    Serial().show();
    QCOMPARE(Serial().ComboBaud->currentIndex(), -1);
    QTest::mouseClick(Serial().CmdOK, Qt::LeftButton);
    QCOMPARE(Main().Port().Baudrate(), TBaudrate::br1200);
  }

  void withoutALanguageFileTheListsAreLaidOut() {
    Start({});
    Serial().show();
    QCOMPARE(Serial().CmdCancel->text(), QString("Cansel"));
    QCOMPARE(Serial().ComboPoort->count(), 16);
    QCOMPARE(Serial().ComboBaud->itemText(5), QString("115200"));
    QCOMPARE(Serial().ComboPoort->currentText(), QString("COM1"));
  }

  void aPortThatDoesNotOpenKeepsTheWindowOpenAndSaysWhy_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("causeKey");  // the hint's key in the language file
    QTest::newRow("permission") << EACCES << "PortCauseAccess";
    QTest::newRow("busy") << EBUSY << "PortCauseBusy";
    QTest::newRow("no device") << ENOENT << "PortCauseMissing";
  }
  void aPortThatDoesNotOpenKeepsTheWindowOpenAndSaysWhy() {
    QFETCH(int, error);
    QFETCH(QString, causeKey);
    Start();
    const QString cause = Q(Tekst("Main", S(causeKey), ""));
    QVERIFY(!cause.isEmpty());
    line_->SetOpenError(error);
    std::vector<SeenBox> seen;
    AnswerBoxes(this, seen);
    Serial().show();
    Serial().ComboBaud->setCurrentIndex(2);
    QTest::mouseClick(Serial().CmdOK, Qt::LeftButton);
    QTRY_COMPARE(seen.size(), std::size_t{1});
    QCOMPARE(seen[0].name, QString("PortFailure"));
    QCOMPARE(seen[0].text, QString(std::strerror(error)));
    QVERIFY2(seen[0].detail.contains(cause), qPrintable(seen[0].detail));
    QVERIFY(Serial().isVisible());
    QCOMPARE(Main().Port().Baudrate(), TBaudrate::br28800);  // the new settings stay
    line_->SetOpenError(0);
    QTest::mouseClick(Serial().CmdOK, Qt::LeftButton);
    QVERIFY(!Serial().isVisible());
    QVERIFY(Main().Port().Active());
  }

  void mappingComTwoToAPseudoTerminalTalksToTheDeviceThere() {
    QProcess sim;
    sim.start(VQ2X_SIM_PATH, {"--pty", "--no-stdin", "--unit", "0:VQ22"});
    QVERIFY(sim.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 10000);
    const QString pty = QString::fromUtf8(sim.readLine()).trimmed();
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    ResetSharedState();
    MainWindowSetup setup;  // the system's serial ports
    setup.programDir = folder_->Path();
    windows_ = std::make_unique<WindowSet>(setup);
    Main().show();
    Serial().show();
    Serial().ComboPoort->setCurrentIndex(1);
    Serial().ComboDevicePath->setEditText(pty);
    QCOMPARE(Serial().LabelDeviceInfo->text(), Q(Tekst("InitCom", "DevicePseudoTerminal", "")));
    // Another COM number keeps its own path, and the mapping comes back.
    Serial().ComboPoort->setCurrentIndex(2);
    QCOMPARE(Serial().ComboDevicePath->currentText(), QString("/dev/ttyS2"));
    Serial().ComboPoort->setCurrentIndex(1);
    QCOMPARE(Serial().ComboDevicePath->currentText(), pty);
    QTest::mouseClick(Serial().CmdOK, Qt::LeftButton);
    QVERIFY(Main().Port().Active());
    QCOMPARE(Main().Port().PortName(), TPort::COM2);
    QTRY_VERIFY_WITH_TIMEOUT(Main().StatusPanels[2]->text().startsWith("VQ22"), 10000);
    QCOMPARE(Main().StatusPanels[0]->text(), QString("COM 2"));
    Main().close();
    windows_.reset();
    const QByteArray written = folder_->Read("application.ini");
    QVERIFY2(written.contains(("[Poorten]\n")) && written.contains(("COM2=" + pty + "\n").toUtf8()), written.constData());
    sim.terminate();
    sim.waitForFinished(5000);
  }

  // --- Options --------------------------------------------------------------

  void optionsOkWithoutAChangeReappliesTextsAndReloadsTheCatalogueOnly() {
    Start();
    const QString backup = ActionText(Main(), "Backup1");
    Main().findChild<QAction*>("Backup1")->setText("changed");
    // The files change on disk: only the catalogue is read again.
    folder_->Write("Taal0.ini", "[Main]\nsubBackup=from the new file\n");
    folder_->Write("Parameters.txt", folder_->Read("Parameters.txt") + "\n[9999]\nmarker=1\n");
    Options().show();
    QCOMPARE(Options().ComboTaal->currentIndex(), 0);
    QTest::mouseClick(Options().CmdOK, Qt::LeftButton);
    QVERIFY(!Options().isVisible());
    QCOMPARE(ActionText(Main(), "Backup1"), backup);
    QVERIFY(GlobalVar().CatalogueLoaded);
    QCOMPARE(GlobalVar().ParameterCatalogue.ReadString("9999", "marker", ""), std::string("1"));
  }

  void optionsOkWithAnotherLanguageOpensItsFile() {
    Start();
    Options().show();
    QCOMPARE(Options().ComboTaal->itemText(1), Q(TekstList("Opties", "TaalItems")[1]));
    QVERIFY(QTest::qWaitForWindowExposed(&Options()));
    QApplication::processEvents();
    SaveScreenshot(Options(), "options");
    Options().ComboTaal->setCurrentIndex(1);
    QTest::mouseClick(Options().CmdOK, Qt::LeftButton);
    QCOMPARE(GlobalVar().LanguageIndex, 1);
    const auto english = IniDocument::LoadFile(folder_->Path() + "Taal1.ini");
    QCOMPARE(ActionText(Main(), "Backup1"), Q(english->ReadString("Main", "subBackup", "")));
    // Cancel changes nothing.
    Options().show();
    QCOMPARE(Options().windowTitle(), Q(english->ReadString("Opties", "Caption", "")));
    Options().ComboTaal->setCurrentIndex(2);
    QTest::mouseClick(Options().CmdCancel, Qt::LeftButton);
    QCOMPARE(GlobalVar().LanguageIndex, 1);
  }

  // The check box sets the port's fast replies and the status bar says so;
  // the setting is written at closing and read at the next start.
  void optionsStoreFastTransfersAndTheNextStartRestoresThem() {
    Start();
    Options().show();
    Options().CheckSnelleOverdracht->setChecked(true);
    QTest::mouseClick(Options().CmdOK, Qt::LeftButton);
    QVERIFY(Main().Port().FastReplies());
    QVERIFY(Main().StatusPanelSnel->isVisible());
    QCOMPARE(Main().StatusPanelSnel->text(), Q(Tekst("Main", "StatusSnel")));
    Stop();
    QVERIFY(folder_->Read("application.ini").contains("SnelleOverdracht=1\n"));
    StartIn();
    QVERIFY(Main().Port().FastReplies());
    Options().show();
    QVERIFY(Options().CheckSnelleOverdracht->isChecked());
  }

  void optionsWithoutALanguageFileOfferTheLaidOutEntries() {
    Start({});
    Options().show();
    QCOMPARE(Options().ComboTaal->count(), 3);
    QCOMPARE(Options().ComboTaal->itemText(2), QString("D"));
    QCOMPARE(Options().windowTitle(), QString("Instellingem"));
  }
};

QTEST_MAIN(SettingsWindowsTest)
#include "SettingsWindowsTest.moc"
