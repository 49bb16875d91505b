#pragma once

#include <array>
#include <vector>

#include <QMessageBox>

#include "model/ParameterGrid.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The parameter editor: parameters by group, with their options, decimals
// and limits. It edits ParameterTable in place; a single value is edited in
// the service window, opened for the selected row. Files, defaults and the
// transfers to and from the device are its menu commands.
class TFormEditParam : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormEditParam(QWidget* parent = nullptr);

  // Set while a parameter written by the service window has not been taken
  // over by the device ("bp" not yet answered). Cleared at every opening, by
  // the answer to the service window's or the loader's "bp", and when the
  // write window has sent all parameters. Closing asks first while it is set.
  bool ParamSentNotLoaded = false;

  // The node shown in the grid (kNoGroup when none is selected).
  int Group() const { return group_; }
  int Subgroup() const { return subgroup_; }
  // What the grid shows, row 1 .. 18 at index 0 .. 17 (empty without a node).
  const std::vector<ParameterGridRow>& Rows() const { return rows_; }
  // The "dec" code of the parameter of the selected row.
  int SelectedDecimals = 0;

  // The controls the tests and the other windows reach by name.
  QMenuBar* ParamMenu1 = nullptr;
  QTreeWidget* TreeView1 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  QPushButton* CmdClear = nullptr;
  // Shows only the rows whose value differs from the catalogue default.
  QCheckBox* CheckGewijzigd = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  std::array<QLabel*, 7> StatusPanels{};  // 0, 2, 4 captions; 1, 3, 5 minimum, maximum, default

  QMenu* menuBestand = nullptr;
  QAction* subOpenen = nullptr;
  QAction* subOpslaanAls = nullptr;
  QAction* subLaadDefault = nullptr;
  QAction* subVergelijken = nullptr;
  QAction* subAfdrukken = nullptr;
  QAction* subAfsluiten = nullptr;
  QMenu* menuZendenOntvangen = nullptr;
  QAction* subParOntvangen = nullptr;
  QAction* subParZenden = nullptr;
  QAction* subLoader = nullptr;
  QMenu* menuVenster = nullptr;
  QAction* subNokkenInfo = nullptr;
  QAction* subLinearisatie = nullptr;
  QMenu* menuHelp = nullptr;
  QAction* subErrorNummers = nullptr;

protected:
  void FormActivate() override;
  // Every way of closing (menu, close box, Escape) passes here.
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  void BuildMenus();
  QWidget* BuildGrid();
  void BuildStatusBar();
  void ApplyTexts();

  // Tree and grid.
  void LoadTree();
  void TreeView1Change(QTreeWidgetItem* item);
  void BuildGridRows();
  void StringGrid1SelectCell(int row);
  void EmptyStatusValues();
  void StringGrid1Activate(int row);
  void CmdClearClick();

  // Menu commands.
  void OpenClick();
  void SaveAsClick();
  void LoadDefaultsClick();
  void CompareClick();
  void PrintClick();
  void ReceiveClick();
  void SendClick();
  void ShowChild(QWidget* window);
  void ShowErrorHelp();

  // Message boxes, their texts looked up when shown.
  QString Message(const char* key) const;
  void ShowError(const QString& text, const QString& detail = {});
  QMessageBox::StandardButton AskWarning(const char* section, const QString& text, const char* name);
  void RefreshFunctionTexts();
  void TakeOver(const std::array<std::int32_t, kParameterCount>& parameters, int source);

  WindowTexts texts_;
  int group_;
  int subgroup_;
  std::vector<ParameterGridRow> rows_;
};

extern TFormEditParam* FormEditParam;
