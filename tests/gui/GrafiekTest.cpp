// The live log graph driven through its controls against a device on the
// virtual line, checked on the rendered plot. Samples take their time from
// a clock of the test: 50 ms per sample.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <atomic>

#include "GuiTestSupport.h"
#include "model/LanguageTexts.h"
#include "model/StripChartGeometry.h"
#include "tools/StripChartView.h"
#include "ui/QtText.h"

namespace {

const QColor kBlue(0, 0, 255);

// Answers the graph's polls: "r0" with a triangle of 0 .. 10000 over 20 s
// at 50 ms per poll, every other poll with `fixed`; the rest is the main
// window's FakeDevice.
class PollingDevice {
public:
  explicit PollingDevice(std::shared_ptr<FakeDevice> rest) : rest_(std::move(rest)) {}
  std::atomic<int> polls{0};
  std::atomic<bool> silent{false};
  std::string fixed = "100000";

  VirtualReply operator()(const std::string& request) {
    const std::string code = request.substr(0, 2);
    const bool poll = code == "r0" || code == "r2" || code == "r3";
    if (!poll) return (*rest_)(request);
    if (silent) return VirtualReply::Silence();
    const int n = polls++;
    if (code != "r0") return VirtualReply::Answer(code + " " + fixed + "\r\n");
    const int phase = (n * 50) % 20000;
    return VirtualReply::Answer("r0 " + std::to_string(phase < 10000 ? phase : 20000 - phase) + "\r\n");
  }

private:
  std::shared_ptr<FakeDevice> rest_;
};

QImage Grab(QWidget* w) { return w->grab().toImage(); }

// The colour at logical pixel (x, y), whatever the scale factor.
QColor At(const QImage& image, int x, int y) {
  const qreal r = image.devicePixelRatio();
  return image.pixelColor(static_cast<int>(x * r), static_cast<int>(y * r));
}

// Whether `strip` shows `text` with its top left at (x, top), as the chart
// writes its labels.
bool ShowsText(QWidget* strip, int x, int top, const QString& text) {
  const QImage shown = Grab(strip);
  QImage expected(shown.size(), shown.format());
  expected.setDevicePixelRatio(shown.devicePixelRatio());
  expected.fill(strip->palette().color(QPalette::Window));
  QPainter painter(&expected);
  painter.setFont(strip->font());
  painter.setPen(Qt::black);
  const QFontMetrics metrics(strip->font());
  painter.drawText(QPoint(x, top + metrics.ascent()), text);
  painter.end();
  const QRect box = metrics.boundingRect(text).translated(x, top + metrics.ascent());
  const qreal r = shown.devicePixelRatio();
  const QRect device(QPoint(qFloor(box.left() * r), qFloor(box.top() * r)), QPoint(qCeil(box.right() * r), qCeil(box.bottom() * r)));
  return shown.copy(device) == expected.copy(device);
}

int BlackPixelsInColumn(const QImage& plot, int x) {
  int count = 0;
  for (int y = 1; y < kChartHeight - 1; ++y)
    if (y != kMiddleLineY && At(plot, x, y) == QColor(Qt::black)) ++count;
  return count;
}

// The topmost blue pixel of column x, or -1.
int CurveTop(const QImage& plot, int x) {
  for (int y = 0; y < kChartHeight; ++y)
    if (At(plot, x, y) == kBlue) return y;
  return -1;
}

}  // namespace

class GrafiekTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormGrafiek& Window() { return *FormGrafiek; }
  QWidget* Plot() { return Window().Chart->Image1; }
  const GraphRecording& Recording() { return Window().Recording(); }

  void StartTool(const QByteArray& settings = {}) {
    line_->SetResponder([this](const std::string& r) { return (*polling_)(r); });
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    if (!settings.isEmpty()) folder_->Write("application.ini", settings);
    StartIn();
    QVERIFY(OpenPort());
    QVERIFY(WaitIdentified());
    Main().Timer1->stop();
    Window().SetClock([this] { return now_ += 50; });
  }
  void Choose(int source, int timeScale, int valueScale) {
    GlobalVar().BronItem = source;
    GlobalVar().X_Div = timeScale;
    GlobalVar().Y_Div = valueScale;
  }
  // Records `samples` samples, then stops (unless the buffer stopped it).
  void Record(int samples) {
    Window().open();
    QVERIFY(Window().CmdStartLog->isEnabled());
    QTest::mouseClick(Window().CmdStartLog, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Recording().LogCount() + 1 >= samples, 60000);
    if (Window().CmdStopLog->isEnabled()) QTest::mouseClick(Window().CmdStopLog, Qt::LeftButton);
  }

  std::shared_ptr<PollingDevice> polling_;
  std::int64_t now_ = 1000;

private slots:
  void init() {
    Reset();
    polling_ = std::make_shared<PollingDevice>(device_);
    now_ = 1000;
  }
  void cleanup() { Stop(); }

  void voltageAtItsForcedScaleIsDrawnInThePlot() {
    StartTool();
    Choose(3, 0, 0);  // analog output voltage: the value scale becomes 20000
    Record(20);
    QCOMPARE(Window().ListBoxY->currentRow(), 7);
    QVERIFY(!Window().ListBoxY->isEnabled());
    const QImage plot = Grab(Plot());
    QCOMPARE(plot.size() / plot.devicePixelRatio(), QSize(601, 409));
    // 100000 at 20000 per 40 rows: 200 rows above the middle line.
    for (int x : {1, 60, 200}) {
      QCOMPARE(At(plot, x, 4), kBlue);
      QCOMPARE(At(plot, x, 3), QColor(Qt::white));
      QCOMPARE(At(plot, x, 5), QColor(Qt::white));
    }
    for (auto [x, y] : {std::pair{0, 100}, {600, 100}, {300, 0}, {300, 408}, {300, 204}})
      QCOMPARE(At(plot, x, y), QColor(Qt::black));
    QCOMPARE(At(plot, 300, 203), QColor(Qt::white));
    QCOMPARE(At(plot, 599, 407), QColor(Qt::white));
  }

  void thePlotKeepsItsGeometryAtTwiceTheScale() {
    GraphRecording recording;
    recording.Start();
    for (int i = 0; i < 5; ++i) recording.AddSample(std::optional<std::int32_t>(100000), i * 100);
    StripChartScene scene;
    scene.recording = &recording;
    scene.source = 3;
    scene.valueScale = 20000;
    QImage image(2 * kChartWidth, 2 * kChartHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    QPainter painter(&image);
    PaintPlot(painter, scene);
    painter.end();
    // Every logical pixel is two device pixels square: sharp, and where it was.
    for (int dx : {0, 1})
      for (int dy : {0, 1}) {
        QCOMPARE(image.pixelColor(2 * 50 + dx, 2 * 4 + dy), kBlue);
        QCOMPARE(image.pixelColor(2 * 50 + dx, 2 * kMiddleLineY + dy), QColor(Qt::black));
        QCOMPARE(image.pixelColor(2 * 600 + dx, 2 * 100 + dy), QColor(Qt::black));
      }
    QCOMPARE(image.pixelColor(2 * 50, 2 * 4 + 2), QColor(Qt::white));
    QCOMPARE(image.pixelColor(2 * 50, 2 * 4 - 1), QColor(Qt::white));
  }

  void firstDivisionFollowsTheFirstSampleShown() {
    StartTool();
    Choose(0, 2, 4);  // 1 sec per division
    GlobalVar().X_hulplijn = true;
    Record(60);
    Window().ScrollBar2->setValue(30);  // sample 30 was taken at 1500 ms
    QCOMPARE(Recording().LogTimes()[30], 1500);
    const QImage strip = Grab(Window().Chart->ImageX);
    for (int y = 0; y < 10; ++y) QCOMPARE(At(strip, 30 + 20, y), QColor(Qt::black));
    QVERIFY(ShowsText(Window().Chart->ImageX, 30 + 10, 10, "2,0"));
    QVERIFY(ShowsText(Window().Chart->ImageX, 90 + 10, 10, "3,0"));
    QVERIFY(!ShowsText(Window().Chart->ImageX, 30 + 10, 10, "1,0"));
    // The dotted grid line lies on the tick: the time strip starts 20 columns left of the plot.
    const QImage plot = Grab(Plot());
    QVERIFY(BlackPixelsInColumn(plot, 30) > 100);
    QCOMPARE(BlackPixelsInColumn(plot, 29), 0);
    QCOMPARE(BlackPixelsInColumn(plot, 31), 0);
    QVERIFY(BlackPixelsInColumn(plot, 90) > 100);
  }

  void aCurrentSourceForcesItsScaleAndUnit() {
    StartTool();
    Choose(0, 0, 2);
    Window().open();
    QVERIFY(Window().ListBoxY->isEnabled());
    Window().ComboBoxBron->setCurrentIndex(4);
    QCOMPARE(Window().ListBoxY->currentRow(), 8);
    QCOMPARE(Window().ListBoxY->currentItem()->text(), QString("40000"));
    QVERIFY(!Window().ListBoxY->isEnabled());
    QWidget* strip = Window().Chart->ImageY;
    const QFontMetrics metrics(strip->font());
    const int width = StripChartView::kValueStripWidth;
    const auto label = [&](const QString& text, int row) {
      return ShowsText(strip, ValueLabelX(width, metrics.horizontalAdvance(text)), row + 4, text);
    };
    QVERIFY(label("20", 0));
    QVERIFY(label("16", 40));
    QVERIFY(label("0", 200));
    QVERIFY(label("-20", 400));
    QVERIFY(!label("10", 0));
    QVERIFY(ShowsText(strip, 10, StripChartView::kValueStripHeight / 2 - 5, "(mA)"));
    QVERIFY(!ShowsText(strip, 10, StripChartView::kValueStripHeight / 2 - 5, "(V)"));
    // The ticks meet the plot's division rows.
    const QImage ticks = Grab(strip);
    QCOMPARE(At(ticks, width - 5, 10), QColor(Qt::black));
    QCOMPARE(At(ticks, width - 5, 10 + 200), QColor(Qt::black));

    Window().ComboBoxBron->setCurrentIndex(0);
    QVERIFY(Window().ListBoxY->isEnabled());
    QVERIFY(ShowsText(strip, 10, StripChartView::kValueStripHeight / 2 - 5, "(AWE)"));
  }

  void the4001stSampleEndsTheRecording() {
    StartTool();
    Choose(0, 5, 10);
    Record(kLogSize);
    QCOMPARE(Recording().LogCount(), kLastLogIndex);
    QCOMPARE(Window().Gauge1->value(), Window().Gauge1->maximum());
    QVERIFY(Window().CmdStartLog->isEnabled());
    QVERIFY(!Window().CmdStopLog->isEnabled());
    QVERIFY(Window().ComboBoxBron->isEnabled());
    QVERIFY(!Window().QL200LeesLogData.Cyclic());
    QCOMPARE(Window().PanelCommError->text(), QString("De buffer is vol; de opname is gestopt."));
    QCOMPARE(Window().LabelBufferCount->text(), QString("200,0 sec"));
    QTest::qWait(50);
    QCOMPARE(polling_->polls.load(), kLogSize);  // nothing polled after the last one
  }

  void autoScrollAtOneSecondShowsTheLast125Samples() {
    StartTool();
    Choose(0, 2, 4);
    GlobalVar().X_hulplijn = true;
    Window().open();
    Window().CheckBoxAutoScroll->setChecked(true);
    QTest::mouseClick(Window().CmdStartLog, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(Recording().LogCount() >= 300, 30000);
    // The scene is set at every sample: read it before the next one arrives.
    const int newest = Recording().LogCount();
    const int first = Window().Chart->Scene().firstSample;
    const QImage strip = Grab(Window().Chart->ImageX);
    QCOMPARE(first, newest - 125);
    const int t0 = Recording().LogTimes()[static_cast<std::size_t>(first)];
    const int column = 60 - (t0 * 60 / 1000) % 60;
    QCOMPARE(At(strip, column + 20, 5), QColor(Qt::black));
    QTest::mouseClick(Window().CmdStopLog, Qt::LeftButton);
    // Stopped: the scroll bar decides again.
    Window().ScrollBar2->setValue(10);
    QCOMPARE(Window().Chart->Scene().firstSample, 10);
  }

  void noAnswerEndsTheRecordingInRed() {
    StartTool();
    polling_->silent = true;
    Window().open();
    QTest::mouseClick(Window().CmdStartLog, Qt::LeftButton);
    QTRY_VERIFY(Window().CmdStartLog->isEnabled());
    QVERIFY(!Window().CmdStopLog->isEnabled());
    QCOMPARE(Window().PanelCommError->text(), QString("Geen antwoord van de VQ2x; de opname is gestopt."));
    QCOMPARE(Window().PanelCommError->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  }

  void storedIndexesOutsideTheListsFallBackAndClosingKeepsTheChoice() {
    StartTool();
    GlobalVar().X_Div = 6;
    GlobalVar().Y_Div = -1;
    GlobalVar().BronItem = 9;
    Window().open();
    QCOMPARE(Window().ListBoxX->currentRow(), 0);
    QCOMPARE(Window().ListBoxY->currentRow(), 0);
    QCOMPARE(Window().ComboBoxBron->currentIndex(), 0);
    QCOMPARE(Window().ComboBoxBron->count(), 9);  // from the language file
    Window().ListBoxX->setCurrentRow(4);
    Window().ComboBoxBron->setCurrentIndex(6);
    Window().CheckHulplijnenYas->setChecked(true);
    Window().close();
    QCOMPARE(GlobalVar().X_Div, 4);
    QCOMPARE(GlobalVar().Y_Div, 8);  // forced by the current source
    QCOMPARE(GlobalVar().BronItem, 6);
    QVERIFY(GlobalVar().Y_hulplijn);
    QVERIFY(!GlobalVar().X_hulplijn);
  }

  void aRecordedTriangleIsExportedOneLinePerSample() {
    StartTool("[Opties]\nTaal=1\n");
    Choose(0, 3, 4);  // 2 sec and 2000 per division: 20 s and 0 .. 10000 fill the upper half
    GlobalVar().X_hulplijn = GlobalVar().Y_hulplijn = true;
    Record(401);
    QVERIFY(Window().CmdExport->isEnabled());
    QCOMPARE(Window().CmdExport->text(), Q(Tekst("Grafiek", "CmdExport")));
    const QImage plot = Grab(Plot());
    // Rising to the peak at 10 s (column 300, 10000 = 200 rows up), then falling.
    for (auto [x, top] : {std::pair{30, 184}, {150, 104}, {300, 4}, {450, 104}, {570, 184}})
      QVERIFY2(std::abs(CurveTop(plot, x) - top) <= 2, qPrintable(QString("column %1: %2").arg(x).arg(CurveTop(plot, x))));
    SaveScreenshot(Window(), "graph-window");

    const QString path = folder_->File("triangle.csv");
    QTimer::singleShot(0, this, [path] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->selectFile(path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(Window().CmdExport, Qt::LeftButton);
    const QList<QByteArray> lines = folder_->Read("triangle.csv").split('\n');
    QCOMPARE(lines.size(), Recording().LogCount() + 1 + 2);  // header, a line per sample, nothing after the last CR LF
    QCOMPARE(lines[0], QByteArray("time (ms),raw value,value (AWE)\r"));
    QCOMPARE(lines[1], QByteArray("0,0,0\r"));
    QCOMPARE(lines[201], QByteArray("10000,10000,10000\r"));

    // A folder that does not exist: the window says why.
    MessageBoxCatcher boxes;
    QTimer::singleShot(0, this, [this] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->selectFile(folder_->File("missing/triangle.csv"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(Window().CmdExport, Qt::LeftButton);
    QTRY_COMPARE(boxes.Count(), 1u);
    QCOMPARE(boxes.Seen_()[0].name, QString("ExportError"));
    QVERIFY(boxes.Seen_()[0].text.contains("missing"));
    QVERIFY(boxes.Seen_()[0].text.startsWith(Q(Tekst("Grafiek", "ExportMsg"))));
  }
};

QTEST_MAIN(GrafiekTest)
#include "GrafiekTest.moc"
