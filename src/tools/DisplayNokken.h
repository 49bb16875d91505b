#pragma once

#include <array>

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class ElidedLabel;
class QLabel;
class QTableWidget;

// The twelve cams and four outputs as a coloured grid: each cam colours the
// cell in the row of the output it switches with the colour of its
// function; the panels show the settings of the cam in the selected cell.
// Reads the parameter and setpoint tables only.
class TFormDisplayNokken : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormDisplayNokken(QWidget* parent = nullptr);

  // The controls the tests reach by name.
  QTableWidget* StringGrid1 = nullptr;
  std::array<QLabel*, 5> ColourPanels{};  // Panel1 .. Panel5
  std::array<QLabel*, 5> ColourLabels{};  // LabelColor1 .. LabelColor5
  ElidedLabel* PanelNokNummer = nullptr;
  ElidedLabel* PanelFunctie = nullptr;
  ElidedLabel* PanelBron = nullptr;
  ElidedLabel* PanelAanvang = nullptr;
  ElidedLabel* PanelSelectAanvang = nullptr;
  ElidedLabel* PanelEinde = nullptr;
  ElidedLabel* PanelSelectEinde = nullptr;
  ElidedLabel* PanelHysteresis = nullptr;
  ElidedLabel* PanelSchakeltijd = nullptr;
  ElidedLabel* PanelVervroeging = nullptr;

protected:
  void FormActivate() override;

private:
  void BuildControls();
  QWidget* BuildGrid();
  QWidget* BuildPanels();
  QWidget* BuildLegend();
  void WriteGridTexts();
  void UpdateOnSelectedCell(int column, int row);

  WindowTexts texts_;
};

extern TFormDisplayNokken* FormDisplayNokken;
