// The main window, driven through its real controls, against a device on
// the virtual line (exact timing) and with the shipped data files.
#include <atomic>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <QStatusBar>
#include <cstring>

#include "GuiTestSupport.h"
#include "comm/PortPaths.h"
#include "model/Catalogue.h"
#include "shell/IndicatorBox.h"
#include "model/LanguageTexts.h"
#include "ui/QtText.h"

namespace {

const QColor kYellow(255, 255, 151);

QColor Background(QWidget* w) { return w->palette().color(QPalette::Window); }

}  // namespace

class MainWindowTest : public QObject, protected ToolHarness {
  Q_OBJECT

private:
  void OpenPort() { QVERIFY(ToolHarness::OpenPort()); }
  void WaitIdentified() { QVERIFY(ToolHarness::WaitIdentified()); }
  QLabel* Panel(LiveQuantity q) { return Main().ValuePanels[static_cast<std::size_t>(q)]; }

private slots:
  void init() { Reset(); }
  void cleanup() { Stop(); }

  void createsTheEighteenWindowsWithTheMainWindowFirst() {
    Start({});
    QCOMPARE(Main().windowTitle(), QString("Mirelo Software Tool (KRT2)"));
    const std::vector<QWidget*> others = {FormGrafiek,       FormAfdrukkenSoll, FormAfdrukkenPar, FormCalibratie,
                                          FormParLoader,     FormInfoErrorNummers, FormSchrijfParSoll,
                                          FormApparaatZoeken, FormLeesParSoll,  FormDisplayNokken, FormEditSollwerten,
                                          FormParamService,  FormInitSerial,    FormAbout,         FormEditParam,
                                          FormOpties,        FormLinearisatie};
    QCOMPARE(others.size(), std::size_t{17});
    for (QWidget* w : others) {
      QVERIFY(w != nullptr);
      QVERIFY(!w->isVisible());
      QVERIFY(!w->windowTitle().isEmpty());
    }
    QCOMPARE(FormMain, &Main());
  }

  void offlineAtStartWithDisabledPortControls() {
    Start({});
    QCOMPARE(Main().StatusPanels[1]->text(), QString("Offline"));
    QVERIFY(!Main().CmdActual->isEnabled());
    QVERIFY(!Main().CmdInUit->isEnabled());
    QVERIFY(!Main().CmdResetError->isEnabled());
    QVERIFY(!Main().CmdTerminalZenden->isEnabled());
    QCOMPARE(Main().CmdSelectUnit->text(), QString("Open"));  // built-in state text without a language file
    QCOMPARE(Main().CmdActual->text(), QString("Actual ON"));
    QVERIFY(!Main().CmdCalibratie->isVisibleTo(&Main()));
    QCOMPARE(Main().centralWidget()->width(), 720);
    QCOMPARE(Main().centralWidget()->height() + Main().statusBar()->height(), 398);
  }

  void calibrationButtonOnlyWithTheArgument_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("visible");
    QTest::newRow("lower") << "kwartzeil" << true;
    QTest::newRow("mixed") << "KwartZEIL" << true;
    QTest::newRow("other") << "kwarts" << false;
    QTest::newRow("none") << "" << false;
  }
  void calibrationButtonOnlyWithTheArgument() {
    QFETCH(QString, argument);
    QFETCH(bool, visible);
    Start({}, argument);
    QCOMPARE(Main().CmdCalibratie->isVisibleTo(&Main()), visible);
  }

  void openingSendsUnitSelectThenTheThreeIdentificationQueries() {
    Start();
    Main().SpinEditUnitSelect->setValue(0);
    OpenPort();
    WaitIdentified();
    QCOMPARE(Main().StatusPanels[0]->text(), QString("COM 1"));
    QCOMPARE(Main().StatusPanels[1]->text(), QString("9600,O,8,1"));  // as laid out: no configuration file
    QCOMPARE(Main().StatusPanels[2]->text(), QString("VQ22 V2.14"));
    QCOMPARE(Main().StatusPanels[3]->text(), QString("HW 3.1"));
    QCOMPARE(Main().StatusPanels[4]->text(), QString("SN 20261208"));
    QCOMPARE(GlobalVar().DeviceType, std::string("VQ22"));
    const auto commands = Commands();
    QVERIFY(commands.size() >= 4);
    QCOMPARE(std::vector<std::string>(commands.begin(), commands.begin() + 4),
             (std::vector<std::string>{"sc 0", "rt", "rh", "rx"}));
    QCOMPARE(Main().CmdSelectUnit->text().isEmpty(), false);
    QVERIFY(Main().CmdActual->isEnabled());
    QVERIFY(Main().CmdTerminalZenden->isEnabled());
  }

  void unitNumberOfTheSpinBoxIsSelected() {
    Start({});
    Main().SpinEditUnitSelect->setValue(17);
    OpenPort();
    QTRY_VERIFY(!Commands().empty());
    QCOMPARE(Commands().front(), std::string("sc 17"));
  }

  void foreignDeviceWarnsOnlyWithALanguageFile_data() {
    QTest::addColumn<bool>("language");
    QTest::newRow("with language file") << true;
    QTest::newRow("without") << false;
  }
  void foreignDeviceWarnsOnlyWithALanguageFile() {
    QFETCH(bool, language);
    device_->Set("rt", "ZX99 V1");
    MessageBoxCatcher boxes;
    Start(language ? kAllDataFiles : QStringList{});
    OpenPort();
    WaitIdentified();
    QCOMPARE(GlobalVar().DeviceType, std::string("ZX99"));
    QCOMPARE(boxes.Count(), language ? 1u : 0u);
    if (language) {
      QCOMPARE(boxes.Seen_()[0].name, QString("WrongDeviceWarning"));
      QVERIFY(!boxes.Seen_()[0].text.isEmpty());
    }
  }

  void fiveByteTypeReplyClearsTheTypeAndWarns() {
    device_->Set("rt", "");
    MessageBoxCatcher boxes;
    Start();
    OpenPort();
    WaitIdentified();
    QCOMPARE(Main().StatusPanels[2]->text(), QString());
    QCOMPARE(GlobalVar().DeviceType, std::string());
    QCOMPARE(boxes.Count(), 1u);
  }

  void silentDeviceShowsTheNoAnswerTextInRed() {
    device_->SetSilent(true);
    Start();
    OpenPort();
    QTRY_VERIFY_WITH_TIMEOUT(!Main().PanelComInfo->text().isEmpty(), 5000);
    QCOMPARE(Main().PanelComInfo->text(), Q(Tekst("Main", "PanelTekst0", "tekst 0")));
    QCOMPARE(Main().PanelComInfo->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(Main().Port().Active());
    QCOMPARE(Main().StatusPanels[2]->text(), QString());
  }

  void liveValuesShowFixedPointOnYellowPanels() {
    Start();
    OpenPort();
    WaitIdentified();
    GlobalVar().ParameterTable[203] = 2;
    GlobalVar().ParameterTable[226] = 0;
    device_->Set("r0", "-7");
    device_->Set("r1", "abc");
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QVERIFY(GlobalVar().LiveValuesOn);
    QTRY_COMPARE(Panel(LiveQuantity::ActPos)->text(), QString("-0,07"));
    QTRY_COMPARE(Panel(LiveQuantity::Snelheid)->text(), QString("????"));
    QTRY_COMPARE(Panel(LiveQuantity::Spanning_in)->text(), QString("4,5000 V"));
    QTRY_COMPARE(Panel(LiveQuantity::Analoog_in_AWE)->text(), QString("2048"));
    QCOMPARE(Background(Panel(LiveQuantity::ActPos)), kYellow);
    QCOMPARE(Background(Panel(LiveQuantity::Analoog_in_AWE)), kYellow);
    // VQ22: the analog output is not polled, nor the optional quantities.
    QVERIFY(Background(Panel(LiveQuantity::Spanning_uit)) != kYellow);
    QCOMPARE(Panel(LiveQuantity::ActPosLin)->text(), QString());
    QCOMPARE(Main().CmdActual->text(), Q(Tekst("Main", "CmdActual_OFF", "Actual OFF")));

    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QVERIFY(!GlobalVar().LiveValuesOn);
    QCOMPARE(Panel(LiveQuantity::ActPos)->text(), QString());
    QVERIFY(Background(Panel(LiveQuantity::ActPos)) != kYellow);
    // Requests already queued still run once; then the line is quiet.
    Main().Timer1->stop();
    QTest::qWait(300);
    const std::size_t sent = line_->RequestCount();
    QTest::qWait(300);
    QCOMPARE(line_->RequestCount(), sent);
  }

  void recoveringPanelShowsTheValueWithoutAQuestionMark() {
    // The fifth "r0" goes unanswered, the sixth is answered, and the device
    // holds the line at the seventh: the panel then shows what the
    // recovery left on it.
    auto r0Count = std::make_shared<std::atomic<int>>(0);
    line_->SetResponder([device = device_, r0Count](const std::string& r) {
      if (r == "r0\r") {
        const int n = ++*r0Count;
        if (n == 5) return VirtualReply::Silence();
        if (n == 7) return VirtualReply::Hold();
      }
      return (*device)(r);
    });
    Start();
    OpenPort();
    WaitIdentified();
    Main().Timer1->stop();
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTRY_COMPARE(r0Count->load(), 7);
    // The all-clear report after the sixth answer is no failure: the value
    // stays, no "?" until the next answer.
    QTRY_COMPARE(Panel(LiveQuantity::ActPos)->text(), QString("1234"));
    line_->Release();
  }

  void outputFiveLightsBoxesOneAndThree() {
    Start();
    OpenPort();
    WaitIdentified();
    device_->Set("ru", "5");
    device_->Set("ri", "x");
    QTest::mouseClick(Main().CmdInUit, Qt::LeftButton);
    using S = IndicatorBox::State;
    QTRY_COMPARE(Main().OutputBoxes[0]->CurrentState(), S::On);
    QCOMPARE(Main().OutputBoxes[1]->CurrentState(), S::Off);
    QCOMPARE(Main().OutputBoxes[2]->CurrentState(), S::On);
    QCOMPARE(Main().OutputBoxes[3]->CurrentState(), S::Off);
    QTRY_COMPARE(Main().InputBoxes[0]->CurrentState(), S::Off);
    QCOMPARE(Main().InputBoxes[1]->CurrentState(), S::Off);
    QCOMPARE(Background(Main().OutputBoxes[0]), QColor(Qt::blue));
    QCOMPARE(Background(Main().OutputBoxes[1]), QColor(Qt::white));
    QTest::mouseClick(Main().CmdInUit, Qt::LeftButton);
    QCOMPARE(Main().OutputBoxes[0]->CurrentState(), S::Neutral);
  }

  void errorNumberAndActivityDots() {
    Start();
    OpenPort();
    WaitIdentified();
    Main().Timer1->setInterval(20);
    device_->Set("rf", "12");
    QTRY_COMPARE(Main().PanelErrorNo->text(), QString("VQ2... Error: 12"));
    QTRY_COMPARE(Main().StatusPanels[5]->text(), QString(". . . . . . "));
    QTRY_COMPARE(Main().StatusPanels[5]->text(), QString(". "));
    device_->Set("rf", "-1");
    QTRY_COMPARE(Main().PanelErrorNo->text(), QString());
  }

  void terminalShowsTheWholeReply() {
    Start();
    OpenPort();
    WaitIdentified();
    QTest::keyClicks(Main().EditZenden, "rt");
    QTest::keyClick(Main().EditZenden, Qt::Key_Return);
    QTRY_COMPARE(Main().MemoReceive->toPlainText(), QString("rt VQ22 V2.14\n"));
    QCOMPARE(Main().EditZenden->selectedText(), QString("rt"));
    QCOMPARE(Commands().back(), std::string("rt"));
  }

  void closingThePortClearsAndGreysEverything() {
    Start();
    OpenPort();
    WaitIdentified();
    QTest::mouseClick(Main().CmdActual, Qt::LeftButton);
    QTest::mouseClick(Main().CmdInUit, Qt::LeftButton);
    QTRY_VERIFY(!Panel(LiveQuantity::ActPos)->text().isEmpty());
    QTRY_VERIFY(Main().OutputBoxes[0]->CurrentState() != IndicatorBox::State::Neutral);
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QVERIFY(!Main().Port().Active());
    QCOMPARE(Main().StatusPanels[1]->text(), QString("Offline"));
    for (int i : {0, 2, 3, 4, 5}) QCOMPARE(Main().StatusPanels[static_cast<std::size_t>(i)]->text(), QString());
    for (QLabel* panel : Main().ValuePanels) {
      QCOMPARE(panel->text(), QString());
      QVERIFY(Background(panel) != kYellow);
    }
    for (IndicatorBox* box : Main().OutputBoxes) QCOMPARE(box->CurrentState(), IndicatorBox::State::Neutral);
    QVERIFY(!GlobalVar().LiveValuesOn);
    QVERIFY(!GlobalVar().IoOn);
    QVERIFY(!Main().CmdActual->isEnabled());
    QVERIFY(!Main().CmdTerminalZenden->isEnabled());
    const std::size_t sent = line_->RequestCount();
    QTest::qWait(1200);  // the error-number timer sends nothing while closed
    QCOMPARE(line_->RequestCount(), sent);
  }

  void openingFailureIsShownAndTheWindowStaysUsable() {
    line_->SetOpenError(EBUSY);
    MessageBoxCatcher boxes;
    Start();
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QTRY_COMPARE(boxes.Count(), 1u);
    QCOMPARE(boxes.Seen_()[0].text, QString(std::strerror(EBUSY)));
    QVERIFY(!Main().Port().Active());
    QCOMPARE(Main().StatusPanels[1]->text(), QString("Offline"));
    line_->SetOpenError(0);
    OpenPort();
  }

  void unpluggedDeviceIsShownAndThePortCanBeClosed() {
    Start();
    OpenPort();
    WaitIdentified();
    QTest::mouseClick(Main().CmdInUit, Qt::LeftButton);
    QTRY_VERIFY(Main().InputBoxes[1]->CurrentState() == IndicatorBox::State::On);
    line_->Disconnect();
    QTRY_VERIFY_WITH_TIMEOUT(Main().PanelComInfo->text().startsWith(Q(Tekst("Main", "PanelTekst1", "tekst 1"))), 5000);
    QVERIFY(Main().PanelComInfo->text().contains(QString::number(EIO)));
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QVERIFY(!Main().Port().Active());
  }

  void menusOfTheCommunicationMenuFollowThePort() {
    Start();
    auto* receive = Main().findChild<QAction*>("VQ80ontvangen1");
    auto* backup = Main().findChild<QAction*>("Backup1");
    auto* search = Main().findChild<QAction*>("VQ20zoeken");
    QVERIFY(receive && backup && search);
    QVERIFY(!receive->isEnabled());
    QVERIFY(!backup->isEnabled());
    QVERIFY(search->isEnabled());
    OpenPort();
    QVERIFY(receive->isEnabled());
    QVERIFY(backup->isEnabled());
    QTest::mouseClick(Main().CmdSelectUnit, Qt::LeftButton);
    QVERIFY(!receive->isEnabled());
  }

  void languageFileWithOneKeyChangesOnlyThatText() {
    folder_ = std::make_unique<ProgramFolder>();
    folder_->Write("Taal0.ini", "[Main]\nsubBackup=Veiligheidskopie\n");
    StartIn();
    QCOMPARE(Main().findChild<QAction*>("Backup1")->text(), QString("Veiligheidskopie"));
    QCOMPARE(Main().findChild<QGroupBox*>("GroupBoxUitgangen")->title(), QString("Uitgangen"));
    QCOMPARE(Main().findChild<QAction*>("VQ80ontvangen1")->text(), QString("Parameters + Sollwerten ontvangen"));
    QCOMPARE(Main().findChild<QAction*>("Exit1")->text(), QString("Afsluiten"));
  }

  void languageIndexOutOfRangeLoadsTheDutchFile() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=7\n");
    StartIn();
    QVERIFY(GlobalVar().LanguageLoaded);
    const auto dutch = IniDocument::LoadFile(folder_->Path() + "Taal0.ini");
    QCOMPARE(Main().findChild<QAction*>("Exit1")->text(), Q(dutch->ReadString("Main", "subAfsluiten", "")));
  }

  void brokenLanguageAndCatalogueFilesNeverCrashTheWindow() {
    folder_ = std::make_unique<ProgramFolder>();
    QByteArray junk;
    for (int i = 0; i < 100000; ++i) junk.append(static_cast<char>((i * 7919) & 0xFF));
    folder_->Write("Taal0.ini", junk);
    folder_->Write("Parameters.txt", "[252]\nopties0=\"unterminated\n[252]\nopties0=x\n" + junk);
    folder_->Write("application.ini", "[Serieel\nbaudrate=\n" + junk.left(5000));
    StartIn();
    QVERIFY(GlobalVar().LanguageLoaded);
    // Keys the file does not have take their built-in texts.
    QCOMPARE(Main().findChild<QGroupBox*>("GroupBoxUitgangen")->title(), QString("Uitgangen"));
    QCOMPARE(Main().OutputFunctionLabels[0]->text(), QString("unterminated"));
    OpenPort();
    WaitIdentified();
  }

  void tabOrderFollowsTheLayout() {
    Start();
    OpenPort();
    const std::vector<QWidget*> expected = {Main().SpinEditUnitSelect, Main().CmdSelectUnit, Main().CmdActual,
                                            Main().CmdInUit,            Main().CmdResetError, Main().EditZenden,
                                            Main().CmdTerminalZenden,   Main().MemoReceive};
    std::vector<QWidget*> chain;
    QWidget* w = Main().SpinEditUnitSelect;
    do {
      if (w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus)) chain.push_back(w);
      w = w->nextInFocusChain();
    } while (w != Main().SpinEditUnitSelect && chain.size() < 50);
    std::vector<QWidget*> controls;
    for (QWidget* c : chain)
      if (std::find(expected.begin(), expected.end(), c) != expected.end()) controls.push_back(c);
    QCOMPARE(controls, expected);
  }

  void functionLabelsComeFromTheCatalogue() {
    Start();
    GlobalVar().ParameterTable[252] = 1;
    GlobalVar().ParameterTable[253] = 999;
    Main().OutputFunctieTeksten();
    const auto& catalogue = GlobalVar().ParameterCatalogue;
    QCOMPARE(Main().OutputFunctionLabels[0]->text(), Q(Catalogue::OptionText(catalogue, 252, 0, 1)));
    QCOMPARE(Main().OutputFunctionLabels[1]->text(), QString("########"));
  }

  void closingWritesTheConfigurationWithTheUnitNumber() {
    Start({});
    OpenPort();
    Main().SpinEditUnitSelect->setValue(9);
    Main().close();
    QVERIFY(!Main().Port().Active());
    const QByteArray written = folder_->Read("application.ini");
    for (const char* line : {"baudrate=3", "parity=2", "hardware=3", "transmitdrv=0", "unit_no=9", "Taal=0",
                             "SnelleOverdracht=0"})
      QVERIFY2(written.contains(QByteArray(line) + "\n"), line);
    QCOMPARE(written.count('='), 28);
  }

  // A settings file too large to read: the tool says so once, starts on
  // defaults and leaves the file byte for byte as it was.
  void anUnreadableSettingsFileIsReportedAndKept() {
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    const QByteArray big = "[Serieel]\nunit_no=9\n" + QByteArray(2 * 1024 * 1024, ';') + "\n";
    folder_->Write("application.ini", big);
    StartIn();
    const QString message = Main().statusBar()->currentMessage();
    QVERIFY2(message.startsWith(Q(Tekst("Main", "SettingsNotRead", "")) + " ("), qPrintable(message));
    QVERIFY2(message.endsWith("); " + Q(Tekst("Main", "SettingsKept", ""))), qPrintable(message));
    QCOMPARE(Main().UnitNumber(), 0);
    Main().SpinEditUnitSelect->setValue(5);
    Main().close();
    QCOMPARE(folder_->Read("application.ini"), big);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
