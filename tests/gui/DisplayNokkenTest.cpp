// The cam overview, driven through its grid, checked on the colours it
// paints and on its panels, with the shipped catalogue and language files.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "CommissionedDevice.h"
#include "GuiTestSupport.h"
#include "model/ParameterNumbers.h"
#include "ui/ElidedLabel.h"

namespace {

namespace P = ParameterNumber;

void SetParameter(int number, std::int32_t value) { GlobalVar().ParameterTable[static_cast<std::size_t>(number)] = value; }

void SetCam(int cam, int function, int output) {
  SetParameter(P::CamFunction(cam), function);
  SetParameter(P::CamOutput(cam), output);
}

}  // namespace

class DisplayNokkenTest : public QObject, protected ToolHarness {
  Q_OBJECT

  TFormDisplayNokken& Window() { return *FormDisplayNokken; }
  void Open() {
    Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  }
  void Select(int column, int row) {
    QTableWidget& grid = *Window().StringGrid1;
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualItemRect(grid.item(row, column)).center());
    QCOMPARE(grid.currentColumn(), column);
    QCOMPARE(grid.currentRow(), row);
  }
  // The colour painted in the middle of a cell.
  QColor CellColour(int column, int row) {
    QTableWidget& grid = *Window().StringGrid1;
    const QImage image = grid.viewport()->grab().toImage();
    const QPointF centre = QRectF(grid.visualItemRect(grid.item(row, column))).center() * image.devicePixelRatio();
    return image.pixelColor(centre.toPoint());
  }
  QColor LegendColour(int function) {
    QLabel& swatch = *Window().ColourPanels[static_cast<std::size_t>(function - 1)];
    const QImage image = swatch.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
  }
  QStringList Panels() {
    QStringList texts;
    for (QLabel* panel : std::initializer_list<QLabel*>{
             Window().PanelNokNummer, Window().PanelFunctie, Window().PanelBron, Window().PanelAanvang,
             Window().PanelSelectAanvang, Window().PanelEinde, Window().PanelSelectEinde, Window().PanelHysteresis,
             Window().PanelSchakeltijd, Window().PanelVervroeging})
      texts << panel->text();
    return texts;
  }

private slots:
  void init() {
    Reset();
    Start();
    SetParameter(P::DecimalsOfPositions, 2);
  }
  void cleanup() {
    if (FormDisplayNokken != nullptr) Window().hide();
    Stop();
  }

  void twoCamsOnOneOutputColourTheirCellsOfThatRow() {
    SetCam(2, 1, 3);
    SetCam(5, 4, 3);
    SetCam(7, 0, 3);  // not in use
    Open();
    QCOMPARE(CellColour(2, 3), QColor(255, 0, 0));
    QCOMPARE(CellColour(5, 3), QColor(255, 0, 255));
    QCOMPARE(CellColour(2, 3), LegendColour(1));
    QCOMPARE(CellColour(5, 3), LegendColour(4));
    const QColor plain = CellColour(7, 3);
    for (int row : {1, 2, 4}) {
      QCOMPARE(CellColour(2, row), plain);
      QCOMPARE(CellColour(5, row), plain);
    }
    Select(5, 3);
    QCOMPARE(Window().PanelNokNummer->text(), QString("5"));
    QCOMPARE(Window().PanelFunctie->text(), QString("> Grenswaarde (Timer)"));
    Select(2, 3);
    QCOMPARE(Window().PanelNokNummer->text(), QString("2"));
    QCOMPARE(Window().PanelFunctie->text(), QString("Nok"));
  }

  void aLimitValueCamShowsNoEnd() {
    SetCam(4, 3, 1);
    SetParameter(P::CamEnd(4), 5000);
    SetParameter(P::CamStart(4), 1250);
    SetParameter(P::CamHysteresis(4), 15);
    SetParameter(P::CamSwitchingTime(4), 500);
    SetParameter(P::OutputAdvance(1), 20);
    Open();
    Select(4, 1);
    QCOMPARE(Panels(), (QStringList{"4", "< Grenswaarde", "Positie", "12,50", "Eigen waarde", "---", "---", "0,15",
                                    "0,500", "0,020"}));
  }

  void aStartFromSetpointThreeShowsThatSetpoint() {
    SetCam(2, 1, 2);
    SetParameter(P::CamStartSetpoint(2), 3);
    SetParameter(P::CamStart(2), 777);
    GlobalVar().SetpointTable[3] = -12345;
    Open();
    Select(2, 2);
    QCOMPARE(Window().PanelAanvang->text(), QString("-123,45"));
    QCOMPARE(Window().PanelSelectAanvang->text(), QString("Sollwert 3"));
  }

  void aSetpointOrOptionOutOfRangeShowsSoInsteadOfAnotherValue() {
    SetCam(1, 1, 1);
    SetCam(3, 1, 1);
    SetParameter(P::CamStartSetpoint(3), 30);
    SetParameter(P::CamSource(3), 9);
    Open();
    Select(1, 1);
    QCOMPARE(Window().PanelBron->text(), QString("Positie"));
    Select(3, 1);
    QCOMPARE(Window().PanelAanvang->text(), QString("---"));
    QCOMPARE(Window().PanelSelectAanvang->text(), QString("########"));
    QCOMPARE(Window().PanelBron->text(), QString("########"));  // not cam 1's source
  }

  void aCellOutsideTheCamsOutputRowClearsThePanels() {
    SetCam(6, 2, 4);
    Open();
    Select(6, 4);
    QCOMPARE(Window().PanelNokNummer->text(), QString("6"));
    Select(6, 1);
    QCOMPARE(Panels(), QStringList(QVector<QString>(10).toList()));
  }

  void headersWithTheLanguagesPrefixOrBare_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("header");
    QTest::newRow("language file") << kAllDataFiles << "Uitgang-2";
    QTest::newRow("none") << QStringList{"Parameters.txt"} << "2";
  }
  void headersWithTheLanguagesPrefixOrBare() {
    QFETCH(QStringList, files);
    QFETCH(QString, header);
    Stop();
    Reset();
    Start(files);
    Open();
    QCOMPARE(Window().StringGrid1->item(2, 0)->text(), header);
    QCOMPARE(Window().StringGrid1->item(0, 12)->text(), QString("12"));
    QVERIFY(!(Window().StringGrid1->item(0, 3)->flags() & Qt::ItemIsSelectable));
  }

  // In the language the screenshot script asks for.
  void screenshot() {
    Stop();
    Reset();
    folder_ = std::make_unique<ProgramFolder>(kAllDataFiles);
    folder_->Write("application.ini", "[Opties]\nTaal=" + qgetenv("VQ2X_SCREENSHOT_LANGUAGE").left(1) + "\n");
    StartIn();
    PutCommissionedValues();
    Open();
    Select(3, 2);
    QCOMPARE(Window().PanelAanvang->text(), QString("400,00"));
    SaveScreenshot(Window(), "cam-overview-window");
  }
};

QTEST_MAIN(DisplayNokkenTest)
#include "DisplayNokkenTest.moc"
