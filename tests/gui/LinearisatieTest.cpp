// The linearisation window, driven through its controls, checked on the
// images it paints and on the markers it hit-tests.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "CommissionedDevice.h"
#include "GuiTestSupport.h"
#include "model/LanguageTexts.h"
#include "model/ParameterNumbers.h"
#include "tools/LinearisationAxisStrip.h"
#include "tools/LinearisationPlotView.h"
#include "tools/ModeDiagramView.h"
#include "ui/ElidedLabel.h"
#include "ui/QtText.h"

namespace {

using Points = std::vector<LinearisationPoint>;
using Pixels = std::vector<PixelPoint>;

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// The points, and their count unless another is given.
void SetTable(const Points& points, std::optional<int> storedCount = std::nullopt) {
  auto& p = GlobalVar().ParameterTable;
  p[ParameterNumber::LinearisationPointCount] = storedCount.value_or(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    p[static_cast<std::size_t>(ParameterNumber::LinearisationX(k))] = points[i].X;
    p[static_cast<std::size_t>(ParameterNumber::LinearisationY(k))] = points[i].Y;
  }
}

int CountPixels(const QImage& image, QRect area, const std::function<bool(QColor)>& matches) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) count += matches(image.pixelColor(x, y)) ? 1 : 0;
  return count;
}

bool IsBlue(QColor c) { return c == kBlue; }
bool IsDark(QColor c) { return c.alpha() == 255 && c.lightness() < 100; }

}  // namespace

Q_DECLARE_METATYPE(Points)
Q_DECLARE_METATYPE(Pixels)

class LinearisatieTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormLinearisatie& Window() { return *FormLinearisatie; }
  void Open() {
    Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  }
  // The shipped files, in the language the screenshot script asks for.
  void StartInScreenshotLanguage() {
    Stop();
    Reset();
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=" + qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n");
    StartIn();
  }

private slots:
  void init() {
    Reset();
    Start();
  }
  void cleanup() {
    if (FormLinearisatie != nullptr) Window().hide();
    Stop();
  }

  void pointsArePlottedAtTheirPixels_data() {
    QTest::addColumn<Points>("points");
    QTest::addColumn<Pixels>("markers");
    QTest::newRow("known table") << Points{{0, 0}, {50, 100}, {100, 50}}
                                 << Pixels{{10, 510}, {350, 10}, {690, 260}};
    QTest::newRow("all Y equal") << Points{{-20, 7}, {0, 7}, {20, 7}} << Pixels{{10, 510}, {350, 510}, {690, 510}};
  }
  void pointsArePlottedAtTheirPixels() {
    QFETCH(Points, points);
    QFETCH(Pixels, markers);
    SetTable(points);
    GlobalVar().Puntgrootte = 3;
    Open();
    QCOMPARE(Window().Image1->Markers(), markers);
    const QImage image = Window().Image1->Image();
    QCOMPARE(image.pixelColor(markers[0].x, markers[0].y), kRed);  // point 1 selected
    for (std::size_t i = 1; i < markers.size(); ++i) QCOMPARE(image.pixelColor(markers[i].x, markers[i].y), kBlue);
    // The curve runs on flat to both edges.
    QCOMPARE(image.pixelColor(2, markers.front().y), kBlue);
    QCOMPARE(image.pixelColor(697, markers.back().y), kBlue);
  }

  void onePointDrawsNoCurveAndOnlyTheTicks() {
    SetTable({{40, 40}});
    Open();
    QVERIFY(Window().Image1->Markers().empty());
    QCOMPARE(CountPixels(Window().Image1->Image(), QRect(0, 0, 700, 520), IsBlue), 0);
    QVERIFY(Window().ImageX->Labels().empty());
    QVERIFY(Window().ImageY->Labels().empty());
    const QImage x = Window().ImageX->Image();
    const QImage y = Window().ImageY->Image();
    QCOMPARE(CountPixels(x, x.rect(), IsDark), 3 * kTickLength);
    QCOMPARE(CountPixels(y, y.rect(), IsDark), 3 * kTickLength);
    for (int tick : {10, 350, 690}) QVERIFY(IsDark(x.pixelColor(tick, kTickLength - 1)));
    for (int tick : {10, 260, 510}) QVERIFY(IsDark(y.pixelColor(y.width() - 1, tick)));
    QCOMPARE(Window().Panel_PX->text(), QString("40"));  // the point's values all the same
  }

  void xLabelsAtTheirPositionsWithTheMidpointTruncated() {
    SetTable({{-7, 0}, {-3, 5}, {0, 10}});
    Open();
    const std::vector<AxisLabel> labels = Window().ImageX->Labels();
    QCOMPARE(labels.size(), std::size_t{3});
    const std::pair<int, const char*> expected[] = {{10, "-7"}, {350, "-4"}, {690, "0"}};
    const QImage strip = Window().ImageX->Image();
    for (std::size_t i = 0; i < labels.size(); ++i) {
      QCOMPARE(labels[i].position, expected[i].first);
      QCOMPARE(QString::fromStdString(labels[i].text), QString(expected[i].second));
      // Text is drawn there, below the ticks, and fits inside the strip.
      QVERIFY(CountPixels(strip, QRect(labels[i].position, kXLabelTop, 20, strip.height() - kXLabelTop), IsDark) > 0);
    }
    QCOMPARE(Window().ImageY->Labels().front().text, std::string("10"));
  }

  void aClickSelectsTheFirstMarkerWithinFivePixels_data() {
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("selected");
    // Markers of points 1 and 2 at x = 10 and 17, both at y = 510.
    QTest::newRow("both in reach: lower number") << QPoint(14, 507) << 1;
    QTest::newRow("only the second") << QPoint(21, 512) << 2;
    QTest::newRow("just too far") << QPoint(23, 510) << 3;
    QTest::newRow("far away") << QPoint(300, 300) << 3;
  }
  void aClickSelectsTheFirstMarkerWithinFivePixels() {
    QFETCH(QPoint, click);
    QFETCH(int, selected);
    SetTable({{0, 0}, {1, 0}, {100, 100}});
    GlobalVar().Puntgrootte = 2;
    Open();
    Window().SpinEdit_GrafiekPunt->setValue(3);
    QTest::mouseClick(Window().Image1, Qt::LeftButton, {}, click);
    QCOMPARE(Window().SpinEdit_GrafiekPunt->value(), selected);
    const PixelPoint marker = Window().Image1->Markers()[static_cast<std::size_t>(selected - 1)];
    QCOMPARE(Window().Image1->Image().pixelColor(marker.x, marker.y), kRed);
    QCOMPARE(Window().Panel_PX->text(), QString::number(std::vector<int>{0, 1, 100}[selected - 1]));
  }

  void modeDiagramCurveForModesOneAndTwoOnly_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("frames");
    QTest::addColumn<bool>("upperLeft");  // mirror image
    QTest::addColumn<bool>("lowerLeft");  // point image
    QTest::newRow("off") << 0 << false << false << false;
    QTest::newRow("mirror image") << 1 << true << true << false;
    QTest::newRow("point image") << 2 << true << false << true;
    QTest::newRow("other") << 3 << true << false << false;
  }
  void modeDiagramCurveForModesOneAndTwoOnly() {
    QFETCH(int, mode);
    QFETCH(bool, frames);
    QFETCH(bool, upperLeft);
    QFETCH(bool, lowerLeft);
    SetTable({{0, 0}, {50, 30}, {100, 100}});
    GlobalVar().ParameterTable[ParameterNumber::LinearisationMode] = mode;
    Open();
    ModeDiagramView& diagram = *Window().Image6;
    QCOMPARE(diagram.FramesShown(), frames);
    QCOMPARE(diagram.findChild<QWidget*>("LabelQ3")->isVisible(), frames);
    QCOMPARE(diagram.findChild<QWidget*>("Lijn_X")->isVisible(), frames);
    const QImage image = diagram.Image();
    const bool curve = mode == 1 || mode == 2;
    QCOMPARE(CountPixels(image, QRect(101, 0, 100, 100), IsBlue) > 0, curve);  // right half, rising
    QCOMPARE(CountPixels(image, QRect(0, 0, 100, 100), IsBlue) > 0, upperLeft);
    QCOMPARE(CountPixels(image, QRect(0, 101, 100, 100), IsBlue) > 0, lowerLeft);
    // The quadrant frames' inner lines stay until a curve fills the interior.
    QCOMPARE(IsDark(image.pixelColor(100, 50)), frames && !curve);
  }

  void editingAPointsYThroughTheServiceWindowMovesItsMarker() {
    SetTable({{0, 0}, {50, 50}, {100, 100}});
    GlobalVar().Puntgrootte = 2;
    Open();
    Window().SpinEdit_GrafiekPunt->setValue(3);
    QCOMPARE(Window().Image1->Markers()[2], (PixelPoint{690, 10}));
    std::string handedOver;
    // The new value is typed into the service window and taken with OK.
    QWidget* shown = nullptr;
    QTimer::singleShot(0, this, [&] {
      shown = QApplication::activeModalWidget();
      handedOver = GlobalVar().SelectedParameter.NumberText;
      QLineEdit* field = FormParamService->MaskEditParData;
      field->selectAll();
      QTest::keyClick(field, Qt::Key_Delete);
      QTest::keyClicks(field, "-10");
      QTest::mouseClick(FormParamService->CmdOK, Qt::LeftButton);
      if (shown != nullptr && shown->isVisible()) static_cast<QDialog*>(shown)->reject();
    });
    QTest::mouseClick(Window().cmdEdit_Y, Qt::LeftButton);
    QCOMPARE(shown, static_cast<QWidget*>(FormParamService));
    QCOMPARE(handedOver, std::string("172"));
    QCOMPARE(Window().Image1->Markers()[2], (PixelPoint{690, 510}));  // now the smallest Y
    QCOMPARE(Window().Image1->Image().pixelColor(690, 510), kRed);
    QCOMPARE(Window().Panel_PY->text(), QString("-10"));
    QCOMPARE(Window().ImageY->Labels().back().text, std::string("-10"));
    QCOMPARE(Window().ImageY->Labels().front().text, std::string("50"));
  }

  void settingsAreReadOnActivationAndStoredOnClosing() {
    SetTable({{0, 0}, {100, 100}});
    GlobalVar().Puntgrootte = 4;
    GlobalVar().Lin_X_hulplijn = false;
    GlobalVar().Lin_Y_hulplijn = true;
    Open();
    QCOMPARE(Window().SpinEditDot->value(), 4);
    QVERIFY(!Window().CheckHulplijnenXas->isChecked());
    QVERIFY(Window().CheckHulplijnenYas->isChecked());
    // Column 78 between the horizontal grid lines at y = 10 and 60.
    const auto gridColumn = [&] { return CountPixels(Window().Image1->Image(), QRect(78, 11, 1, 49), IsDark); };
    QCOMPARE(gridColumn(), 0);
    QTest::mouseClick(Window().CheckHulplijnenXas, Qt::LeftButton);
    QVERIFY(gridColumn() > 5);  // the dotted vertical line
    QTest::keyClick(Window().SpinEditDot, Qt::Key_Down);
    Window().close();
    QVERIFY(GlobalVar().Lin_X_hulplijn);
    QVERIFY(GlobalVar().Lin_Y_hulplijn);
    QCOMPARE(GlobalVar().Puntgrootte, 3);
  }

  void aPointCountOutOfRangeIsClampedAndSaidSo_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("drawn");
    QTest::newRow("above") << 35 << 30;
    QTest::newRow("below") << -3 << 0;
  }
  void aPointCountOutOfRangeIsClampedAndSaidSo() {
    QFETCH(int, stored);
    QFETCH(int, drawn);
    StartInScreenshotLanguage();
    Points points;
    for (int k = 0; k < 30; ++k) points.push_back({k * 10, k});
    SetTable(points, stored);
    Open();
    QVERIFY(Window().LabelPointCount->isVisible());
    QCOMPARE(Window().LabelPointCount->text(),
             Q(Tekst("Linearisatie", "PointCountOutOfRange", "")) + QString(" %1 (0..30)").arg(stored));
    QCOMPARE(Window().Image1->Markers().size(), static_cast<std::size_t>(drawn));
    QCOMPARE(Window().SpinEdit_GrafiekPunt->maximum(), std::max(drawn, 1));
    QCOMPARE(Window().cmdEdit_Y->isEnabled(), drawn > 0);
    if (stored > 30) SaveScreenshot(Window(), "linearisation-window-points-out-of-range");

    const QSize size = Window().size();
    Window().hide();
    SetTable(points, 30);
    Open();
    QVERIFY(!Window().LabelPointCount->isVisible());
    QCOMPARE(Window().size(), size);  // room kept for the warning
  }

  void textsFromTheLanguageFileAndTheCatalogue() {
    Stop();
    Reset();
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=1\n");
    StartIn();
    SetTable({{0, 0}, {100, 100}});
    GlobalVar().ParameterTable[ParameterNumber::LinearisationMode] = 1;
    GlobalVar().ParameterTable[ParameterNumber::LinearisationSource] = 7;  // no such option
    Open();
    QCOMPARE(Window().windowTitle(), QString("Linearisation curve"));
    QCOMPARE(Window().cmdEdit_X->text(), QString("Edit X"));
    QCOMPARE(Window().LabelMode->text(), QString("Linearisation mode"));
    QCOMPARE(Window().PanelMode->text(), QString("Mirror image"));
    QCOMPARE(Window().LabelBron->text(), QString("Linearisation source  (X axis)"));
    QCOMPARE(Window().PanelBron->text(), QString("########"));
  }

  // In the language the screenshot script asks for.
  void screenshot() {
    StartInScreenshotLanguage();
    PutCommissionedValues();
    GlobalVar().Puntgrootte = 3;
    GlobalVar().Lin_X_hulplijn = GlobalVar().Lin_Y_hulplijn = true;
    Open();
    QTest::mouseClick(Window().Image1, Qt::LeftButton, {}, QPoint(320, 272));  // point 6 at (319, 274)
    QCOMPARE(Window().SpinEdit_GrafiekPunt->value(), 6);
    SaveScreenshot(Window(), "linearisation-window");
  }
};

QTEST_MAIN(LinearisatieTest)
#include "LinearisatieTest.moc"
