#pragma once

#include <memory>

#include "comm/QL200Protocol.h"
#include "model/ParameterCommands.h"
#include "model/ServiceInput.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits the single parameter handed over in GlobalVar().SelectedParameter
// (by the parameter editor's selected row, or by another window that fills
// it with SelectParameter): a list of options or a number field checked
// against the catalogue's limits. OK stores the value in ParameterTable;
// Send also writes it to the device ("wp n v"), Compute makes the device
// take its parameters over ("bp"). Modal, without a close box; Escape closes.
class TFormParamService : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormParamService(QWidget* parent = nullptr);

  // The parameter being edited (-1 when the hand-over holds no parameter).
  int ParamNumber = -1;
  bool IsChoice = false;
  int Decimals = 0;      // the "dec" code resolved against parameters 203 and 248
  int MaxIntDigits = 0;  // integer digits of the longer of minimum and maximum

  QLabel* LabelMin = nullptr;
  QLabel* PanelMin = nullptr;
  QLabel* LabelMax = nullptr;
  QLabel* PanelMax = nullptr;
  QLabel* LabelDefault = nullptr;
  QLabel* PanelDefault = nullptr;
  QLabel* LabelParData = nullptr;
  QComboBox* ComboParData = nullptr;
  QLineEdit* MaskEditParData = nullptr;
  QLabel* PanelService = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdZenden = nullptr;
  QPushButton* CmdBerPar = nullptr;
  QPushButton* CmdDefault = nullptr;
  QPushButton* CmdCancel = nullptr;

protected:
  void FormActivate() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  void ShowChoice();
  void ShowNumber(const TSelectedParameter& selected);

  // Runs the input test; stores the value and returns true when it passes.
  bool TestIngave();
  bool FilterKey(QKeyEvent* event);
  void CmdOKClick();
  void CmdDefaultClick();
  void CmdZendenClick();
  void CmdBerParClick();

  void QL200ZendServiceParameterCommResult(WriteReply reply);
  void QL200ServiceBerParCommResult(const ComputeResult& result);
  void ServiceCommError(const TCommError& error);
  void ShowStatus(const QString& text, bool failure);
  void EnableButtons(bool enabled);

  WindowTexts texts_;
  NumberFieldRules rules_;
  std::string defaultText_;
  TQL200Protocol QL200ZendServiceParameter;
  TQL200Protocol QL200ServiceBerPar;
  std::unique_ptr<ParameterCommands> commands_;
};

extern TFormParamService* FormParamService;
