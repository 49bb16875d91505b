// The calibration window against the real simulator, checked from the
// device side through the simulator's log.
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

#include "SimSupport.h"

namespace {

// The commands of the calibration procedure: what the log holds besides
// the reads and the identification.
QStringList CalibrationCommands(const QString& log) {
  QStringList out;
  for (const QString& c : ReceivedCommands(log))
    if (c.startsWith("k") && !c.startsWith("kr")) out << c;
  return out;
}

// Answers the next message box with `button`; counts the boxes seen.
class Answer : public QObject {
public:
  explicit Answer(QMessageBox::StandardButton button) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, this, [this, button] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ++count;
        box->button(button)->click();
      }
    });
    timer_.start();
  }
  int count = 0;

private:
  QTimer timer_;
};

}  // namespace

class CalibrationSimTest : public QObject, protected SimHarness {
  Q_OBJECT

  TFormCalibratie& Window() { return *FormCalibratie; }
  void Click(QPushButton* button) {
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }

private slots:
  void init() { QVERIFY(StartWithSimulator()); }
  void cleanup() { StopAll(); }

  void aCalibrationFromTheDevicesSide() {
    Main().Timer1->stop();
    QVERIFY(OpenAndIdentify());
    Window().open();
    QTRY_VERIFY_WITH_TIMEOUT(!Window().Chains().ReadChainRunning() &&
                                 Window().Chains().TeachAddress() == kTeachChainEnd &&
                                 Window().Panel1->text().startsWith("kr 2031"),
                             10000);
    QCOMPARE(ReceivedCommands(log_).filter("kr").size(), 16);

    Click(Window().CmdSetKalibtatieMode);
    QTRY_VERIFY_WITH_TIMEOUT(Window().Model().CalibrationModeOn(), 5000);
    Click(Window().CmdSet_U_actief);
    QTRY_VERIFY_WITH_TIMEOUT(Window().GroupBoxDA_Spanning->isEnabled(), 5000);
    Click(Window().SetButtons[2]);  // CmdSetUmax
    QTRY_COMPARE_WITH_TIMEOUT(Window().Panel1->text(), QString("ka 100000"), 5000);

    // One arrow click on the positive gain: one write.
    auto* gain = Window().findChild<QSpinBox*>("SpinEdit_Gain_U_pos");
    const int before = gain->value();
    const bool up = before < gain->maximum();
    gain->setFocus();
    QTest::keyClick(gain, up ? Qt::Key_Up : Qt::Key_Down);
    const int after = before + (up ? 1 : -1);
    QCOMPARE(gain->value(), after);
    QTRY_VERIFY_WITH_TIMEOUT(Window().CmdSaveToEEPROM->isEnabled(), 5000);
    {
      Answer no(QMessageBox::No);
      Window().close();
      QCOMPARE(no.count, 1);  // not saved yet: the warning
      QVERIFY(Window().isVisible());
    }
    Click(Window().CmdSaveToEEPROM);
    QTRY_VERIFY_WITH_TIMEOUT(!Window().CmdSaveToEEPROM->isEnabled(), 5000);
    {
      Answer none(QMessageBox::Yes);
      Window().close();
      QCOMPARE(none.count, 0);
      QVERIFY(!Window().isVisible());
    }
    QTest::qWait(100);
    QCOMPARE(CalibrationCommands(log_),
             (QStringList{"km 1", "kf 1", "ka 100000", "kw 2042 " + QString::number(after), "ks"}));
  }
};

QTEST_MAIN(CalibrationSimTest)
#include "CalibrationSimTest.moc"
