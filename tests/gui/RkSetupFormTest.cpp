// The serial library's port setup window: its two languages, the rules
// between its hardware lists, and what OK writes to the port.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "GuiTestSupport.h"
#include "comm/dialogs/RkSetupForm.h"

namespace {

QString Label(QWidget& form, const char* name) { return form.findChild<QLabel*>(name)->text(); }

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

}  // namespace

class RkSetupFormTest : public QObject, protected ToolHarness {
  Q_OBJECT

  std::unique_ptr<TRkSetupCommForm> Show(int language = 1) {
    auto form = std::make_unique<TRkSetupCommForm>(&Main().Port(), language, &Main());
    form->show();
    return form;
  }

private slots:
  void init() {
    Reset();
    Start({});
  }
  void cleanup() { Stop(); }

  void speaksEnglishOrGerman_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("portLabel");
    QTest::addColumn<QString>("portPage");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QStringList>("parities");
    QTest::addColumn<QString>("userDefined");
    QTest::addColumn<QString>("noTransmitter");
    QTest::newRow("English") << 1 << "Serial port COM 1" << "&Port:" << "Port configuration" << "Cancel"
                             << "RkInitCommE.hlp" << QStringList{"None", "Even", "Odd"} << "User defined" << "None";
    QTest::newRow("German") << 2 << "Serielle Schnittstelle COM 1" << QString::fromUtf8("&Anschluß:")
                            << QString::fromUtf8("Anschlußeinstellungen") << "Abbrechen" << "RkInitComm.hlp"
                            << QStringList{"Keine", "Gerade", "Ungerade"} << "Benutzerdefiniert" << "Nein";
  }
  void speaksEnglishOrGerman() {
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, portLabel);
    QFETCH(QString, portPage);
    QFETCH(QString, cancel);
    QFETCH(QString, helpFile);
    QFETCH(QStringList, parities);
    QFETCH(QString, userDefined);
    QFETCH(QString, noTransmitter);
    auto form = Show(language);
    QCOMPARE(form->windowTitle(), caption);
    QCOMPARE(Label(*form, "PortLabel"), portLabel);
    QCOMPARE(form->PageControl->tabText(0), portPage);
    QCOMPARE(form->CancelButton->text(), cancel);
    QCOMPARE(form->HelpFile(), helpFile);
    QCOMPARE(Items(form->CBParitaet), parities);
    QCOMPARE(form->CBHardware->itemText(3), userDefined);
    QCOMPARE(form->CBSenden->itemText(0), noTransmitter);
    QCOMPARE(form->CBAnschluss->count(), 16);
    QCOMPARE(form->CBAnschluss->itemText(15), QString("COM 16"));
    QCOMPARE(Items(form->CBBaudrate).join(" "), QString("1200 2400 4800 9600 19200 28800 38400 57600 115200"));
    QCOMPARE(form->CBSenden->property("HelpContext").toInt(), 10);
    QCOMPARE(form->size(), QSize(361, 406));
    SaveScreenshot(*form, language == 1 ? "rk-setup-english" : "rk-setup-german");
    form->PageControl->setCurrentIndex(1);
    SaveScreenshot(*form, language == 1 ? "rk-setup-english-extended" : "rk-setup-german-extended");
  }

  void listsShowThePortsSettings() {
    Main().Port().SetPortName(TPort::COM3);
    Main().Port().SetBaudrate(TBaudrate::br57600);
    Main().Port().SetHardware(THardware::PhoenixPSM);
    auto form = Show();
    QCOMPARE(form->CBAnschluss->currentIndex(), 2);
    QCOMPARE(form->CBBereich->currentText(), QString("03E8 - 03EF"));
    QCOMPARE(form->CBBaudrate->currentText(), QString("57600"));
    QCOMPARE(form->CBSenden->currentText(), QString("DTR = 0"));
    QCOMPARE(form->windowTitle(), QString("Serial port COM 3"));
    QVERIFY(form->OKButton->isEnabled());
    QVERIFY(form->TSErweitert->isEnabled());
  }

  void choosingAPortMovesTheRangeAndTheCaption() {
    auto form = Show();
    form->CBAnschluss->setCurrentIndex(1);
    QCOMPARE(form->CBBereich->currentIndex(), 1);
    QCOMPARE(form->windowTitle(), QString("Serial port COM 2"));
    form->CBAnschluss->setCurrentIndex(4);
    QCOMPARE(form->CBBereich->currentIndex(), -1);
    QCOMPARE(form->windowTitle(), QString("Serial port COM 5"));
  }

  void hardwareListsFollowThePortsRules_data() {
    QTest::addColumn<int>("hardware");  // starting point
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QList<int>>("shown");  // hardware, type, receiver, transmitter
    QTest::newRow("PCLab moves RS 232 C to RS 485") << 0 << "CBHardware" << 1 << QList<int>{1, 2, 1, 1};
    QTest::newRow("Phoenix forces DTR") << 1 << "CBHardware" << 2 << QList<int>{2, 0, 0, 3};
    QTest::newRow("Standard resets the drivers") << 1 << "CBHardware" << 0 << QList<int>{0, 0, 0, 0};
    QTest::newRow("RS 485 on Standard is user defined") << 0 << "CBTyp" << 2 << QList<int>{3, 2, 0, 0};
    QTest::newRow("RS 422 suits PCLab") << 1 << "CBTyp" << 1 << QList<int>{1, 1, 1, 1};
    QTest::newRow("RTS on Phoenix is user defined") << 2 << "CBSenden" << 2 << QList<int>{3, 0, 0, 2};
    QTest::newRow("Receiver on Standard is user defined") << 0 << "CBEmpfangen" << 1 << QList<int>{3, 0, 1, 0};
    QTest::newRow("User defined changes nothing else") << 1 << "CBHardware" << 3 << QList<int>{3, 2, 1, 1};
  }
  void hardwareListsFollowThePortsRules() {
    QFETCH(int, hardware);
    QFETCH(QString, list);
    QFETCH(int, choice);
    QFETCH(QList<int>, shown);
    Main().Port().SetHardware(static_cast<THardware>(hardware));
    auto form = Show();
    form->findChild<QComboBox*>(list)->setCurrentIndex(choice);
    const QList<int> now{form->CBHardware->currentIndex(), form->CBTyp->currentIndex(),
                         form->CBEmpfangen->currentIndex(), form->CBSenden->currentIndex()};
    QCOMPARE(now, shown);
  }

  void okWritesEveryListAndKeepsTheSettingOfAnEmptyOne() {
    TRkComm& port = Main().Port();
    port.SetPortAddress(TPortAddr::pa_02E8);
    auto form = Show();
    form->CBAnschluss->setCurrentIndex(5);  // COM 6: no I/O range
    form->CBBaudrate->setCurrentIndex(6);
    form->CBParitaet->setCurrentIndex(0);
    form->CBStopbits->setCurrentIndex(1);
    form->CBHardware->setCurrentIndex(1);
    form->CBTyp->setCurrentIndex(1);
    QTest::mouseClick(form->OKButton, Qt::LeftButton);
    QCOMPARE(form->result(), int(QDialog::Accepted));
    QCOMPARE(port.PortName(), TPort::COM6);
    QCOMPARE(port.PortAddress(), TPortAddr::pa_02E8);
    QCOMPARE(port.Baudrate(), TBaudrate::br38400);
    QCOMPARE(port.FrameParitybit(), TParityBit::None);
    QCOMPARE(port.FrameStopbits(), TStopBit::sb_2);
    QCOMPARE(port.CurrentHardwareSettings(), (HardwareSettings{THardware::PCLabPCL745, TPortType::RS422,
                                                              TTransmitDriver::tdRegister7to1,
                                                              TReceiveDriver::rdRegister7to2}));
  }

  void okIsDisabledWhileThePortIsOpen() {
    QVERIFY(OpenPort());
    auto form = Show();
    QVERIFY(!form->OKButton->isEnabled());
    QVERIFY(form->TSAnschluss->isEnabled());
  }

  void mainWindowsDialogClosesThePortWhenItShows() {
    QVERIFY(OpenPort());
    int closes = 0;
    bool okEnabled = false;
    bool portOpenWhenShown = true;
    QString caption;
    TRkSetupCommDialog& dialog = Main().SetupCommDialog();
    QCOMPARE(dialog.RkComm(), &Main().Port());
    dialog.OnClose = [&](TRkSetupCommDialog&) { ++closes; };
    QTimer::singleShot(0, this, [&] {
      auto* form = qobject_cast<TRkSetupCommForm*>(QApplication::activeModalWidget());
      QVERIFY(form != nullptr);
      portOpenWhenShown = Main().Port().Active();
      okEnabled = form->OKButton->isEnabled();
      caption = form->windowTitle();
      form->CancelButton->click();
    });
    QVERIFY(!dialog.ExecuteEnglish());
    QVERIFY(!portOpenWhenShown);
    QVERIFY(okEnabled);
    QCOMPARE(caption, QString("Serial port COM 1"));
    QCOMPARE(closes, 1);
    dialog.OnClose = nullptr;
  }
};

QTEST_MAIN(RkSetupFormTest)
#include "RkSetupFormTest.moc"
