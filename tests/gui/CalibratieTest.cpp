// The calibration window driven through its controls against a device on
// the virtual line.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

#include "GuiTestSupport.h"
#include "model/MessageText.h"
#include "ui/QtText.h"

namespace {

const QColor kGrey(128, 128, 128);

// The calibration side of a VQ22: words 2028 .. 2045 hold address - 2000
// unless set; "kr" of `faultyAddress` gets `faultyReply` (empty: silence).
// Everything else is the main window's FakeDevice.
class CalibrationDevice {
public:
  explicit CalibrationDevice(std::shared_ptr<FakeDevice> rest) : rest_(std::move(rest)) {
    for (int a = 2028; a <= 2045; ++a) words_[a] = a - 2000;
  }
  void SetFault(int address, std::string reply) {
    std::lock_guard lock(mutex_);
    faultyAddress_ = address;
    faultyReply_ = std::move(reply);
  }
  void SetReading(const std::string& code, const std::string& value) {
    std::lock_guard lock(mutex_);
    readings_[code] = value;
  }
  std::string modeReply;  // the answer to "wp" (empty: its echo); set before the tool starts
  VirtualReply operator()(const std::string& request) {
    const std::string line = request.substr(0, request.find('\r'));
    const std::string code = line.substr(0, 2);
    std::lock_guard lock(mutex_);
    if (code == "kr") {
      const int address = std::stoi(line.substr(3));
      if (address == faultyAddress_)
        return faultyReply_.empty() ? VirtualReply::Silence() : VirtualReply::Answer(faultyReply_ + "\r\n");
      return Answer("kr " + std::to_string(address) + " " + std::to_string(words_[address]));
    }
    if (code == "kw") {
      const auto blank = line.find(' ', 3);
      words_[std::stoi(line.substr(3, blank - 3))] = std::stoi(line.substr(blank + 1));
      return Answer(line);
    }
    if (code == "wp" && !modeReply.empty()) return Answer(modeReply);
    if (code == "km" || code == "kf" || code == "ka" || code == "wp") return Answer(line);
    if (code == "ks" || code == "bp") return Answer(code + " -1");
    if (readings_.count(code)) return Answer(code + " " + readings_[code]);
    return (*rest_)(request);
  }

private:
  static VirtualReply Answer(const std::string& text) { return VirtualReply::Answer(text + "\r\n"); }

  std::shared_ptr<FakeDevice> rest_;
  std::mutex mutex_;
  std::map<int, int> words_;
  std::map<std::string, std::string> readings_{{"r4", "12345"}, {"r5", "200000"}};
  int faultyAddress_ = 0;
  std::string faultyReply_;
};

// Answers the next message box with `button` and remembers what it said.
class BoxAnswer : public QObject {
public:
  explicit BoxAnswer(QMessageBox::StandardButton button) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, this, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      title_ = box->windowTitle();
      text_ = box->text();
      ++count_;
      box->button(button)->click();
    });
    timer_.start();
  }
  int count_ = 0;
  QString title_, text_;

private:
  QTimer timer_;
};

bool IsGrey(QWidget* w) { return w != nullptr && w->palette().color(QPalette::WindowText) == kGrey; }

}  // namespace

class CalibratieTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormCalibratie& Window() { return *FormCalibratie; }
  QSpinBox* Box(const char* name) { return Window().findChild<QSpinBox*>(name); }

  // The calibration commands the device received, in order.
  QStringList Sent(const QString& prefix = "k") const {
    QStringList out;
    for (const std::string& c : Commands())
      if (QString::fromStdString(c).startsWith(prefix)) out << QString::fromStdString(c);
    return out;
  }
  void StartTool(const std::string& typeReply = "VQ22 V2.14") {
    device_->Set("rt", typeReply);
    line_->SetResponder([this](const std::string& r) { return (*calibration_)(r); });
    Start(kAllDataFiles, "kwartzeil");
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    Main().Timer1->stop();
  }
  // Opens the window and waits until both chains have read their last word.
  void OpenWindow() {
    Window().open();
    QTRY_VERIFY(ChainsDone());
  }
  bool ChainsDone() {
    return !Window().Chains().ReadChainRunning() && Window().Chains().TeachAddress() == kTeachChainEnd &&
           Window().Panel1->text() == "kr 2031 31";
  }
  void Click(QPushButton* button) {
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }
  void CalibrationModeOn() {
    Click(Window().CmdSetKalibtatieMode);
    QTRY_VERIFY(Window().Model().CalibrationModeOn());
  }

  std::shared_ptr<CalibrationDevice> calibration_;

private slots:
  void init() {
    Reset();
    calibration_ = std::make_shared<CalibrationDevice>(device_);
  }
  void cleanup() { Stop(); }

  void readChainAsksEveryWordThenTheTeachValues() {
    StartTool();
    OpenWindow();
    QCOMPARE(Sent("kr"), (QStringList{"kr 2041", "kr 2042", "kr 2040", "kr 2043", "kr 2044", "kr 2045", "kr 2034",
                                      "kr 2035", "kr 2036", "kr 2037", "kr 2038", "kr 2039", "kr 2028", "kr 2029",
                                      "kr 2030", "kr 2031"}));
    QCOMPARE(Sent("kw"), QStringList());
    for (int i = 0; i < kCalibrationWordCount; ++i) {
      QCOMPARE(Window().CalibrationSpinBoxes[static_cast<std::size_t>(i)]->value(), 34 + i);
      QCOMPARE(Window().Model().SavedValues()[static_cast<std::size_t>(i)], 34 + i);
    }
    QCOMPARE(Window().TeachPanels[0]->text(), QString("28"));
    QCOMPARE(Window().TeachPanels[3]->text(), QString("31"));
    QCOMPARE(Window().Panel1->text(), QString("kr 2031 31"));
    // Everything but "Aan", "Uit" and "Lees" waits for the device.
    for (QWidget* w : std::initializer_list<QWidget*>{Window().GroupBoxDA_Spanning, Window().GroupBoxDA_Stroom,
                                                      Window().GroupBoxAD_Spanning, Window().GroupBoxDA_Select,
                                                      Window().CmdSaveToEEPROM})
      QVERIFY(!w->isEnabled());
    QVERIFY(IsGrey(Window().GroupBoxDA_Select));
    QVERIFY(Window().CmdSetKalibtatieMode->isEnabled() && Window().cmd_LeesDAC_Teach->isEnabled());
  }

  void writesOnlyWhileCalibrationModeIsConfirmed() {
    StartTool();
    Window().open();
    // Confirmed while the read chain still runs: the values it puts into
    // the boxes are still not written back.
    Click(Window().CmdSetKalibtatieMode);
    QTRY_VERIFY(Window().Model().CalibrationModeOn());
    QTRY_VERIFY(ChainsDone());
    QCOMPARE(Sent("kw"), QStringList());
    Click(Window().CmdSet_U_actief);
    QTRY_VERIFY(Window().GroupBoxDA_Spanning->isEnabled());
    Box("SpinEdit_Gain_U_pos")->setValue(2000);  // beyond the box: its bound
    QTRY_COMPARE(Sent("kw"), QStringList{"kw 2042 1000"});

    Click(Window().CmdResCalibtatieMode);
    QTRY_VERIFY(!Window().Model().CalibrationModeOn());
    Box("SpinEdit_Gain_U_pos")->setValue(5);
    QTest::qWait(50);
    QCOMPARE(Sent("kw"), QStringList{"kw 2042 1000"});
  }

  void setButtonsDriveTheOutput_data() {
    QTest::addColumn<bool>("current");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("command");
    QTest::newRow("voltage") << false << 0 << -12345 << "ka -12345";
    QTest::newRow("current 5") << true << 3 << 5 << "ka 2";
    QTest::newRow("current -5") << true << 4 << -5 << "ka -2";
    QTest::newRow("current minimum") << true << 3 << -200000 << "ka -100000";
  }
  void setButtonsDriveTheOutput() {
    QFETCH(bool, current);
    QFETCH(int, box);
    QFETCH(int, level);
    QFETCH(QString, command);
    StartTool();
    OpenWindow();
    CalibrationModeOn();
    Click(current ? Window().CmdSet_I_actief : Window().CmdSet_U_actief);
    QTRY_VERIFY((current ? Window().GroupBoxDA_Stroom : Window().GroupBoxDA_Spanning)->isEnabled());
    QVERIFY(!(current ? Window().GroupBoxDA_Spanning : Window().GroupBoxDA_Stroom)->isEnabled());
    Window().LevelSpinBoxes[static_cast<std::size_t>(box)]->setValue(level);
    Click(Window().SetButtons[static_cast<std::size_t>(box)]);
    QTRY_COMPARE(Sent("ka"), QStringList{command});
  }

  void inputGroupsOnlyOnAVQ22_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("inputs");
    QTest::newRow("VQ22") << "VQ22 V2.14" << true;
    QTest::newRow("VQ20") << "VQ20 V1.07" << false;
  }
  void inputGroupsOnlyOnAVQ22() {
    QFETCH(QString, type);
    QFETCH(bool, inputs);
    StartTool(type.toStdString());
    OpenWindow();
    QVERIFY(IsGrey(Window().GroupBoxAD_Stroom));
    CalibrationModeOn();
    QVERIFY(!IsGrey(Window().GroupBoxDA_Select));
    QVERIFY(Window().CmdSet_U_actief->isEnabled());
    const std::pair<QGroupBox*, const char*> groups[] = {{Window().GroupBoxAD_Spanning, "Label_Offset_U_AD"},
                                                         {Window().GroupBoxAD_Stroom, "LabelUnit_Gain_I_pos_AD"}};
    for (const auto& [group, label] : groups) {
      QCOMPARE(group->isEnabled(), inputs);
      QCOMPARE(IsGrey(group), !inputs);
      QCOMPARE(IsGrey(group->findChild<QLabel*>(label)), !inputs);
    }
    QCOMPARE(Window().CmdAct_U_AD->isEnabled(), inputs);
    QVERIFY(IsGrey(Window().GroupBoxDA_Spanning));  // no output chosen yet
  }

  void eepromAndTheClosingWarning() {
    StartTool();
    OpenWindow();
    CalibrationModeOn();
    Click(Window().CmdSet_U_actief);
    QTRY_VERIFY(Window().GroupBoxDA_Spanning->isEnabled());
    QVERIFY(!Window().CmdSaveToEEPROM->isEnabled());
    Box("SpinEdit_Offset_U")->setValue(-7);
    QTRY_VERIFY(Window().CmdSaveToEEPROM->isEnabled());
    QVERIFY(Window().Model().NotSaved());

    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Cancel}) {
      BoxAnswer box(answer);
      Window().close();
      QCOMPARE(box.count_, 1);
      QVERIFY(Window().isVisible());
      QCOMPARE(box.title_, QString("Waarschuwing"));
      QCOMPARE(box.text_, Q(WrapMessage(kCloseWarningText, 42)).replace("\r\n", "\n"));
    }
    Click(Window().CmdSaveToEEPROM);
    QTRY_VERIFY(!Window().CmdSaveToEEPROM->isEnabled());
    QCOMPARE(Window().Model().SavedValues()[static_cast<std::size_t>(*CalibrationWordIndex(2041))], -7);
    {
      BoxAnswer none(QMessageBox::Yes);
      Window().close();
      QCOMPARE(none.count_, 0);
      QVERIFY(!Window().isVisible());
    }

    // Unsaved again after reopening: Yes closes.
    OpenWindow();
    CalibrationModeOn();
    Click(Window().CmdSet_U_actief);
    QTRY_VERIFY(Window().GroupBoxDA_Spanning->isEnabled());
    Box("SpinEdit_Offset_U")->setValue(3);
    QTRY_VERIFY(Window().CmdSaveToEEPROM->isEnabled());
    BoxAnswer yes(QMessageBox::Yes);
    Window().close();
    QCOMPARE(yes.count_, 1);
    QVERIFY(!Window().isVisible());
    QVERIFY(!Sent("km").contains("km 0"));  // closing leaves calibration mode as it is
  }

  void liveInputReadings_data() {
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("shown");
    QTest::newRow("12345") << "12345" << "1,2345 V";
    QTest::newRow("-5") << "-5" << "-0,0005 V";
    QTest::newRow("no number") << "12x" << "????";
  }
  void liveInputReadings() {
    QFETCH(QString, voltage);
    QFETCH(QString, shown);
    calibration_->SetReading("r4", voltage.toStdString());
    StartTool();
    OpenWindow();
    CalibrationModeOn();
    Click(Window().CmdAct_U_AD);
    QCOMPARE(Window().CmdAct_U_AD->text(), QString("OFF"));
    QCOMPARE(Window().Panel_U_AD->palette().color(QPalette::Window), QColor(255, 255, 151));
    QTRY_COMPARE(Window().Panel_U_AD->text(), shown);
    QTRY_VERIFY(Sent("wp").contains("wp 226 0") && Sent("bp").contains("bp"));
    if (QTest::currentDataTag() == QString("12345")) {
      Click(Window().CmdSet_U_actief);
      QTRY_VERIFY(Window().GroupBoxDA_Spanning->isEnabled());
      SaveScreenshot(Window(), "calibration-window");
    }

    // The current input's "ON" stops the voltage reading first.
    Click(Window().CmdAct_I_AD);
    QCOMPARE(Window().CmdAct_U_AD->text(), QString("ON"));
    QCOMPARE(Window().Panel_U_AD->text(), QString());
    QTRY_COMPARE(Window().Panel_I_AD->text(), QString("20,0000 mA"));
    QTRY_VERIFY(Sent("wp").contains("wp 226 1"));
    Click(Window().CmdResCalibtatieMode);  // "Uit" ends the readings too
    QCOMPARE(Window().CmdAct_I_AD->text(), QString("ON"));
    QVERIFY(!Window().QL200Lees_I_AD.Cyclic());
  }

  void inputModeReachesTheDeviceBeforeItsReadings_data() {
    QTest::addColumn<QString>("buttons");    // the inputs' "ON" buttons, clicked in one go
    QTest::addColumn<QString>("modeReply");  // the answer to "wp" (empty: its echo)
    QTest::addColumn<QStringList>("wire");   // "wp", "bp", "r4", "r5" as received, a repeated reading once
    QTest::newRow("voltage") << "U" << "" << QStringList{"wp 226 0", "bp", "r4"};
    QTest::newRow("code alone") << "I" << "wp" << QStringList{"wp 226 1", "bp", "r5"};
    QTest::newRow("current at once") << "UI" << "" << QStringList{"wp 226 0", "bp", "wp 226 1", "bp", "r5"};
    QTest::newRow("refused") << "U" << "er 7" << QStringList{"wp 226 0"};
  }
  void inputModeReachesTheDeviceBeforeItsReadings() {
    QFETCH(QString, buttons);
    QFETCH(QString, modeReply);
    QFETCH(QStringList, wire);
    calibration_->modeReply = modeReply.toStdString();
    StartTool();
    OpenWindow();
    CalibrationModeOn();
    for (QChar button : buttons) Click(button == 'U' ? Window().CmdAct_U_AD : Window().CmdAct_I_AD);
    if (wire.last().startsWith("r"))
      QTRY_VERIFY(Sent(wire.last()).size() > 2);
    else
      QTRY_VERIFY(Window().CmdAct_U_AD->text() == "ON" && Window().Panel1->text().endsWith("wp 226 0"));
    QStringList seen;
    for (const QString& c : Sent(""))
      if (QRegularExpression("^(wp|bp|r4|r5)").match(c).hasMatch() && (seen.isEmpty() || seen.last() != c)) seen << c;
    QCOMPARE(seen, wire);
  }

  void aFaultyChainReplyStopsTheChainWithARedText_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("asked");  // "kr 2040" once, or once more after a reply that may be garbled
    QTest::newRow("another word") << "kr 2039 5" << "kr 2039 5: geen antwoord op kr 2040" << 2;
    QTest::newRow("not a number") << "kr 2040 1,5" << "kr 2040 1,5: ongeldige waarde" << 2;
    QTest::newRow("refused") << "er 7" << "er 7: geen antwoord op kr 2040" << 1;
    QTest::newRow("time-out") << "" << "Timeout!" << 1;
    const QString huge = "kr 2040 " + QString(120, '7');
    QTest::newRow("too long") << huge << huge.left(98) + ": antwoord te lang" << 2;
  }
  void aFaultyChainReplyStopsTheChainWithARedText() {
    QFETCH(QString, reply);
    QFETCH(QString, status);
    QFETCH(int, asked);
    calibration_->SetFault(2040, reply.toStdString());
    StartTool();
    Window().open();
    QTRY_COMPARE(Window().Panel1->text(), status);
    QCOMPARE(Window().Panel1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QTest::qWait(300);
    QCOMPARE(Sent("kr").size(), 2 + asked);  // nothing after the faulty reply
    QCOMPARE(Box("SpinEdit_Gain_U_pos")->value(), 42);
    QCOMPARE(Box("SpinEdit_Gain_U_neg")->value(), 0);  // keeps what it had
  }
};

QTEST_MAIN(CalibratieTest)
#include "CalibratieTest.moc"
