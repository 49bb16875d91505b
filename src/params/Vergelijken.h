#pragma once

#include <optional>
#include <vector>

#include "model/ParameterComparison.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// Compares the parameter editor's table (A) with the device, a parameter
// or backup file, or the catalogue defaults (B), row by row. Differing rows
// carry a check box (all checked); "Take over" copies the checked values of
// B into ParameterTable, "Send" writes the table's checked values into the
// device ("wp" each, then "bp") through the write window. A checked row
// holding a value beyond its limits on the side that would go keeps both
// from acting until it is unchecked.
class TFormVergelijken : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormVergelijken(QWidget* parent = nullptr);

  // The sources of B, in the order of ComboBron.
  enum Source { SourceDevice = 0, SourceFile = 1, SourceDefaults = 2 };

  const Comparison& Rows() const { return comparison_; }

  QLabel* LabelBron = nullptr;
  QComboBox* ComboBron = nullptr;
  QPushButton* CmdVergelijk = nullptr;
  QLabel* LabelBronNaam = nullptr;
  QLabel* LabelWaarschuwing = nullptr;
  QCheckBox* CheckAlleenVerschillen = nullptr;
  QTableWidget* GridVergelijk = nullptr;
  QLabel* LabelAantallen = nullptr;
  QPushButton* CmdOvernemen = nullptr;
  QPushButton* CmdZenden = nullptr;
  QPushButton* CmdSluiten = nullptr;

protected:
  void FormActivate() override;

private:
  void CmdVergelijkClick();
  std::optional<CompareSide> ChooseFileSide();
  std::optional<CompareSide> ReadDeviceSide();
  void CompareWith(std::optional<CompareSide> side);
  void Recompare();
  void FillGrid();
  void GridItemChanged(QTableWidgetItem* item);
  void UpdateState();
  void CmdOvernemenClick();
  void CmdZendenClick();
  void ShowError(const QString& text);
  QString Message(const char* section, const char* key, const char* fallback) const;

  WindowTexts texts_;
  std::optional<CompareSide> sideB_;
  QString sourceName_;
  Comparison comparison_;
  std::vector<bool> checked_;  // per row of comparison_
  bool filling_ = false;
};

extern TFormVergelijken* FormVergelijken;
