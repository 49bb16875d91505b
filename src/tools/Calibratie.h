#pragma once

#include <array>
#include <memory>

#include "comm/QL200Protocol.h"
#include "model/CalibrationChains.h"
#include "model/CalibrationModel.h"
#include "model/LineCommandQueue.h"
#include "ui/WindowBase.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

// Calibration of the analog outputs and inputs and storing it in the
// device's EEPROM. The window shows; CalibrationModel decides what each
// reply stores and sends next and which controls are enabled. Its captions
// are fixed: it takes no texts from the language files.
class TFormCalibratie : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormCalibratie(QWidget* parent = nullptr);

  // CalibrationModeOn(), SavedValues(), NotSaved(), ...
  const CalibrationModel& Model() const { return model_; }
  // ReadChainRunning(), TeachAddress()
  const CalibrationChains& Chains() const { return *chains_; }

  // By CalibrationWords() position (word 2034 + i): SpinEdit_Gain_U_neg_AD, ...
  std::array<QSpinBox*, kCalibrationWordCount> CalibrationSpinBoxes{};
  // By OutputLevelBoxes() position: SpinEdit1..3, SpinEdit6..8 and their "Set" buttons.
  std::array<QSpinBox*, kOutputLevelBoxCount> LevelSpinBoxes{};
  std::array<QPushButton*, kOutputLevelBoxCount> SetButtons{};
  // By TeachWords() position: Panel_DAC_Smin_spanning, ...
  std::array<QLabel*, kTeachWordCount> TeachPanels{};

  QGroupBox* GroupBoxDA_Spanning = nullptr;
  QGroupBox* GroupBoxDA_Stroom = nullptr;
  QGroupBox* GroupBoxAD_Spanning = nullptr;
  QGroupBox* GroupBoxAD_Stroom = nullptr;
  QGroupBox* GroupBoxDA_Select = nullptr;
  QGroupBox* GroupBoxDA_Teach = nullptr;
  QPushButton* CmdSetKalibtatieMode = nullptr;  // "Aan"
  QPushButton* CmdResCalibtatieMode = nullptr;  // "Uit"
  QPushButton* CmdSet_U_actief = nullptr;       // "Spanning"
  QPushButton* CmdSet_I_actief = nullptr;       // "Stroom"
  QPushButton* CmdSet_I_InActief = nullptr;     // "Geen"
  QPushButton* CmdSaveToEEPROM = nullptr;       // "EEPROM"
  QPushButton* cmd_LeesDAC_Teach = nullptr;     // "Lees"
  QPushButton* CmdAct_U_AD = nullptr;           // "ON" / "OFF" of the voltage input
  QPushButton* CmdAct_I_AD = nullptr;           // "ON" / "OFF" of the current input
  QLabel* Panel_U_AD = nullptr;                 // live readings
  QLabel* Panel_I_AD = nullptr;
  QLabel* Panel1 = nullptr;                     // the last reply, or an error in red

  TQL200Protocol QL200Kalibratie;
  TQL200Protocol QL200LeesKalibratieWaarden;
  TQL200Protocol QL200Lees_U_AD;
  TQL200Protocol QL200Lees_I_AD;
  TQL200Protocol QL200Lees_DAC_TeachWaarden;
  // "wp 226 x" and "bp": the input mode, taken over before its reading is polled.
  TQL200Protocol QL200IngangModus;

protected:
  void FormActivate() override;
  // Closing (the close button, Escape): the readings stop, and unsaved
  // calibration values ask first; only Yes closes.
  void reject() override;

private:
  void BuildControls();
  QGroupBox* BuildWordGroup(CalibrationGroup group);
  void AddLevelBoxes(QGroupBox* group, QGridLayout* grid, AnalogOutputKind kind);
  void AddReading(QGroupBox* group, QGridLayout* grid, AnalogInput input);
  QWidget* BuildModeRow();
  QGroupBox* BuildTeachGroup();
  void SetUpComponents();

  void SetUpChains();
  void QL200KalibratieCommResult(const ResultBytes& reply);
  void QL200KalibratieCommError(const TCommError& error);
  void InputModeSwitched(AnalogInput input, bool taken);
  void LiveReadingResult(AnalogInput input, const ResultBytes& reply);
  void SpinBoxChanged(int wordIndex, int value);
  void SetLevel(int levelIndex);
  void CmdResCalibtatieModeClick();
  void ApplyReadingSwitch(const ReadingSwitch& change);
  void StopReading(AnalogInput input);
  void StartReading(AnalogInput input);
  void ApplyControls();
  void ShowStatus(const CalibrationStatus& status);

  CalibrationModel model_;
  std::unique_ptr<CalibrationChains> chains_;  // made once its components are wired
  // The buttons' commands and the word writes go through QL200Kalibratie, often
  // several in quick succession ("kw" on every arrow click).
  LineCommandQueue commands_{QL200Kalibratie};
};

extern TFormCalibratie* FormCalibratie;
