// A device commissioned with a linearisation table and a cam set (written
// with "wp" and "ws", taken over with "bp"), read back value by value with
// "rp" and "rs" as the read window does, and shown by the linearisation and
// cam windows.
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <optional>

#include "CommissionedDevice.h"
#include "SimSupport.h"
#include "model/DeviceReply.h"
#include "model/LineCommand.h"
#include "tools/LinearisationPlotView.h"
#include "ui/ElidedLabel.h"

namespace {

// One command at a time on the program's port, waiting for its reply.
class LineDialogue {
public:
  explicit LineDialogue(TRkComm& port) {
    WireLineCommand(
        component_, &port, 1000, [this](const ResultBytes& r) { Finish(ReplyText(r)); },
        [this](const TCommError&) { Finish(std::nullopt); });
    deadline_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, &loop_, &QEventLoop::quit);
  }
  // The reply without its line end; none on a failure.
  std::optional<std::string> Ask(const std::string& command) {
    reply_.reset();
    SendCommand(component_, command);
    deadline_.start(5000);
    loop_.exec();
    deadline_.stop();
    return reply_;
  }
  // The value of "rp n" / "rs n", whose reply is "rp n value".
  std::optional<std::int32_t> Read(const std::string& code, int number) {
    const std::string command = code + " " + std::to_string(number);
    const std::optional<std::string> reply = Ask(command);
    if (!reply || reply->rfind(command + " ", 0) != 0) return std::nullopt;
    return ParseDecimal(std::string_view(*reply).substr(command.size() + 1));
  }

private:
  void Finish(std::optional<std::string> reply) {
    reply_ = std::move(reply);
    loop_.quit();
  }

  TQL200Protocol component_;
  QEventLoop loop_;
  QTimer deadline_;
  std::optional<std::string> reply_;
};

}  // namespace

class CommissionedDeviceSimTest : public QObject, protected SimHarness {
  Q_OBJECT

private slots:
  void init() {
    QVERIFY(StartWithSimulator({"--unit", "0:VQ22"}, "[Serieel]\nbaudrate=6\nparity=1\nunit_no=0\n[Opties]\nTaal=" +
                                                         qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n"));
    QVERIFY(OpenAndIdentify());
    Main().Timer1->stop();
  }
  void cleanup() { StopAll(); }

  void bothWindowsShowWhatTheDeviceHolds() {
    LineDialogue line(Main().Port());
    for (const DeviceValue& v : CommissionedParameters()) {
      const std::string command = "wp " + std::to_string(v.number) + " " + std::to_string(v.value);
      const std::optional<std::string> reply = line.Ask(command);
      QVERIFY2(reply && reply->rfind("wp", 0) == 0, command.c_str());
    }
    for (const DeviceValue& v : CommissionedSetpoints())
      QVERIFY(line.Ask("ws " + std::to_string(v.number) + " " + std::to_string(v.value)));
    QCOMPARE(line.Ask("bp"), std::optional<std::string>("bp -1"));

    TGlobalVar& g = GlobalVar();
    for (int n = 0; n < kParameterCount; ++n) {
      const std::optional<std::int32_t> value = line.Read("rp", n);
      QVERIFY2(value, qPrintable(QString("rp %1").arg(n)));
      g.ParameterTable[static_cast<std::size_t>(n)] = *value;
    }
    for (int s = 1; s <= kSetpointCount; ++s) {
      const std::optional<std::int32_t> value = line.Read("rs", s);
      QVERIFY(value);
      g.SetpointTable[static_cast<std::size_t>(s)] = *value;
    }
    g.ParameterSource = g.SetpointSource = psDevice;
    g.Puntgrootte = 3;
    g.Lin_X_hulplijn = g.Lin_Y_hulplijn = true;

    FormLinearisatie->show();
    QVERIFY(QTest::qWaitForWindowExposed(FormLinearisatie));
    QCOMPARE(FormLinearisatie->Image1->Markers().size(), std::size_t{12});
    QCOMPARE(FormLinearisatie->Image1->Markers().back(), (PixelPoint{690, 10}));
    FormLinearisatie->SpinEdit_GrafiekPunt->setValue(6);
    QCOMPARE(FormLinearisatie->Panel_PY->text(), QString("480,00"));
    SaveScreenshot(*FormLinearisatie, "linearisation-window-from-device");
    FormLinearisatie->hide();

    FormDisplayNokken->show();
    QVERIFY(QTest::qWaitForWindowExposed(FormDisplayNokken));
    QTableWidget& grid = *FormDisplayNokken->StringGrid1;
    grid.setCurrentCell(2, 3);  // cam 3 on output 2, from setpoints 3 and 4
    QCOMPARE(FormDisplayNokken->PanelAanvang->text(), QString("400,00"));
    QCOMPARE(FormDisplayNokken->PanelEinde->text(), QString("525,00"));
    SaveScreenshot(*FormDisplayNokken, "cam-overview-window-from-device");
    FormDisplayNokken->hide();
  }
};

QTEST_MAIN(CommissionedDeviceSimTest)
#include "CommissionedDeviceSimTest.moc"
