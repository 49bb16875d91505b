#pragma once

#include "model/LinearisationCurve.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class ElidedLabel;
class LinearisationAxisStrip;
class LinearisationPlotView;
class ModeDiagramView;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

// The linearisation curve of up to 30 points, plotted from the parameter
// table: pick a point with the selector or by clicking its marker, see its
// X and Y, and edit either through the service window. Modes 1 and 2 also
// get the small four-quadrant diagram of the mirrored curve.
class TFormLinearisatie : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormLinearisatie(QWidget* parent = nullptr);

  // The controls the tests reach by name.
  LinearisationPlotView* Image1 = nullptr;
  LinearisationAxisStrip* ImageX = nullptr;
  LinearisationAxisStrip* ImageY = nullptr;
  ModeDiagramView* Image6 = nullptr;
  QSpinBox* SpinEdit_GrafiekPunt = nullptr;
  QSpinBox* SpinEditDot = nullptr;
  ElidedLabel* Panel_PX = nullptr;
  ElidedLabel* Panel_PY = nullptr;
  QCheckBox* CheckHulplijnenXas = nullptr;
  QCheckBox* CheckHulplijnenYas = nullptr;
  ElidedLabel* PanelMode = nullptr;
  ElidedLabel* PanelBron = nullptr;
  QLabel* LabelMode = nullptr;
  QLabel* LabelBron = nullptr;
  QLabel* LabelXas = nullptr;
  QLabel* LabelYas = nullptr;
  QPushButton* cmdEdit_X = nullptr;
  QPushButton* cmdEdit_Y = nullptr;
  // Says that the stored point count lies outside 0 .. 30; hidden otherwise.
  QLabel* LabelPointCount = nullptr;

protected:
  void FormActivate() override;
  void hideEvent(QHideEvent* event) override;

private:
  void BuildControls();
  QWidget* BuildPlotArea();
  QWidget* BuildControlColumn();
  QGroupBox* BuildAxisGroup(const char* name, const char* title, ElidedLabel* panel, QPushButton* edit, QCheckBox* grid);

  void Ber_en_Teken_XY();
  void TekenGrafiek();
  void TekenGrafiek_sub();
  void ShowPointValues();
  void ShowModeAndSource();
  void ShowPointCountWarning();
  void Repaint(const LinearisationRepaint& parts);

  void SetSpinEditGrafiek();
  void Image1Click(int x, int y);
  void SpinEditDotChange();
  void CheckHulplijnenClick();
  // Opens the service window for X (139 + k) or Y (169 + k) of the
  // selected point k.
  void EditPoint(int (*parameterOfPoint)(int));
  void FormClose();

  WindowTexts texts_;
  LinearisationCurve curve_;
};

extern TFormLinearisatie* FormLinearisatie;
