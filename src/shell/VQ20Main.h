#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include <QElapsedTimer>

#include "comm/PortPaths.h"
#include "comm/QL200Protocol.h"
#include "comm/RkComm.h"
#include "comm/TrafficTranscript.h"
#include "comm/dialogs/RkSetupCommDialog.h"
#include "model/BackupFile.h"
#include "model/Configuration.h"
#include "model/DeviceIdentification.h"
#include "model/ErrorPoll.h"
#include "model/LivePolling.h"
#include "model/LiveValues.h"
#include "ui/ApplicationTitle.h"
#include "ui/QtMainThreadInvoker.h"
#include "ui/WindowLinks.h"
#include "ui/WindowTexts.h"

class ElidedLabel;
class IndicatorBox;
class QAction;
class QDialog;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;


// What the main window is created with: where its data files are, how it
// reaches the serial ports, and the command-line argument.
struct MainWindowSetup {
  std::string programDir;                  // folder of every data file, ending in '/'
  std::shared_ptr<SerialBackend> backend;  // null: the system's serial ports
  QString firstArgument;                   // "kwartzeil" shows the calibration button
};

// The main window: opens and closes the one port, identifies the device,
// shows live values, inputs, outputs and the device's error number, and
// offers a command line. It owns the port RkComm1 for the whole run.
class TFormMain : public QMainWindow, public MainWindowLink {
  Q_OBJECT
public:
  explicit TFormMain(const MainWindowSetup& setup, QWidget* parent = nullptr);
  ~TFormMain() override;

  TRkComm& Port() { return RkComm1; }
  // The serial library's port setup dialog, bound to the port; it closes
  // the port when it shows. No menu opens it.
  TRkSetupCommDialog& SetupCommDialog() { return RkSetupCommDialog1; }
  int UnitNumber() const override;
  void RefreshFunctionTexts() override;
  void SetUnitNumber(int unit);
  std::shared_ptr<PortPaths> Paths() const { return paths_; }
  // The settings file read at start and written at closing.
  const std::string& SettingsPath() const { return settingsPath_; }

  // Applies the language texts (at creation and after the options window).
  void LezenTeksten();
  void InputFunctieTeksten();
  void OutputFunctieTeksten();
  // Switches both polling modes off before a transfer or editor window.
  void StopPolling();
  // Opens or closes the port, reporting a refusal in a message box that
  // names the likely cause. False when the port refused.
  bool SetPortActive(bool active);
  // Starts or ends the traffic transcript as the options say (LogTraffic,
  // TrafficFolder): one file per run, named by the time the program
  // started. The reason, when the file cannot be written; empty otherwise.
  QString ApplyTrafficLogging();
  const TrafficTranscript* Transcript() const { return transcript_.get(); }

  // The controls other windows and the tests reach by name.
  ElidedLabel* PanelComInfo = nullptr;
  QPushButton* CmdSelectUnit = nullptr;
  QSpinBox* SpinEditUnitSelect = nullptr;
  QLabel* PanelErrorNo = nullptr;
  QPushButton* CmdActual = nullptr;
  QPushButton* CmdInUit = nullptr;
  QPushButton* CmdCalibratie = nullptr;
  QPushButton* CmdResetError = nullptr;
  QLineEdit* EditZenden = nullptr;
  QPushButton* CmdTerminalZenden = nullptr;
  QPlainTextEdit* MemoReceive = nullptr;
  std::array<QLabel*, kLiveQuantityCount> ValuePanels{};  // in LiveQuantity order
  std::array<IndicatorBox*, 2> InputBoxes{};
  std::array<IndicatorBox*, 4> OutputBoxes{};
  std::array<QLabel*, 2> InputFunctionLabels{};
  std::array<QLabel*, 4> OutputFunctionLabels{};
  std::array<QLabel*, 6> StatusPanels{};
  QLabel* StatusPanelSnel = nullptr;  // shown while fast transfers are on
  QTimer* Timer1 = nullptr;

signals:
  // The closing sequence has run (port closed, settings written): the
  // program ends.
  void Closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void BuildControls();
  QWidget* BuildTopRow();
  QWidget* BuildActualGroup();
  QWidget* BuildInputOutputGroups();
  QWidget* BuildAnalogGroups();
  QGroupBox* BuildBoxGroup(const char* name, const QString& boxPrefix, const QString& labelPrefix,
                           const QString& labelText, QWidget* parent, IndicatorBox** boxes, QLabel** labels,
                           std::size_t count);
  QLabel* AddValueRow(QGridLayout* grid, int row, const char* labelName, LiveQuantity quantity,
                      const char* panelName);
  QWidget* BuildTerminalGroup();
  void BuildStatusBar();
  void BuildMenus();
  void SetUpComponents();
  void BindSetupCommDialog();
  // Reads the settings file; answers what went wrong, to be reported once
  // the language texts are there.
  std::string ReadSettings();
  void ReportUnreadableSettings(const std::string& error);

  // Connection and identification.
  void CmdSelectUnitClick();
  void RkComm1Activate();
  void RkComm1Deactivate();
  void CommunicationError(const TCommError& error);
  void ClearComInfo();
  void ShowWrongDeviceWarning();
  void EnablePortControls(bool open);

  // Live monitoring.
  void ActualActief();
  void InUitActief();
  void ShowBits(std::span<IndicatorBox* const> boxes, int bits);
  void SchedulePaint();
  void PaintLiveValues();
  void Timer1Timer();
  void ErrorNumberReply(const std::string& errorText, const std::string& dots);
  void CmdResetErrorClick();
  void CmdTerminalZendenClick();
  void QL200Protocol1CommResult(const ResultBytes& result);
  void Disable_checkboxen_status_klemmen();
  void ClearValuePanels();
  void PaintPanel(QLabel* panel, bool polled);

  // Menu actions.
  void ReceiveEverything();
  void BackupClick();
  void RestoreClick();
  void ReportClick();
  // The read window in its whole-device mode; none unless it ends with OK.
  std::optional<DeviceContent> ReadWholeDevice();
  void ShowFailure(const QString& text, const char* objectName);
  void SearchDevices();
  void ShowModal(QDialog* window);

  QString PortFailureDetail() const;

  QtMainThreadInvoker invoker_;
  std::shared_ptr<PortPaths> paths_;
  // Before the port, so it outlives it and records its last close.
  std::unique_ptr<TrafficTranscript> transcript_;
  std::string transcriptPath_;  // the file of this run, once logging was on
  QTimer* transcriptTimer_ = nullptr;
  TRkComm RkComm1;
  std::string settingsPath_;  // application.ini beside the program, or the user's own copy
  SettingsFile settingsFile_ = SettingsFile::Missing;

  DeviceIdentification identification_;
  LivePolling polling_;
  ErrorNumberPoll errorPoll_;
  TQL200Protocol QL200ResetError;
  TQL200Protocol QL200Protocol1;
  TRkSetupCommDialog RkSetupCommDialog1;

  WindowTexts texts_;
  FailureTextHold failureHold_;
  QElapsedTimer clock_;
  bool centred_ = false;
  // The newest live values not painted yet, and when the panels were last
  // painted (they are painted at most ten times a second).
  std::array<std::optional<QString>, kLiveQuantityCount> unpaintedValues_;
  std::optional<int> unpaintedInputs_;
  std::optional<int> unpaintedOutputs_;
  QTimer* paintTimer_ = nullptr;
  qint64 lastPaintMs_ = -1000;

  QGroupBox* GroupBoxActual = nullptr;
  QGroupBox* GroupBoxIngangen = nullptr;
  QGroupBox* GroupBoxUitgangen = nullptr;
  QGroupBox* GroupBox_ANA_IN = nullptr;
  QGroupBox* GroupBox_ANA_UIT = nullptr;
  QGroupBox* GroupBoxTerminal = nullptr;

  QMenu* menuBestand = nullptr;
  QMenu* menuEdit = nullptr;
  QMenu* menuInstellingen = nullptr;
  QMenu* menuCommunicatie = nullptr;
  QMenu* menuVenster = nullptr;
  QMenu* menuHelp = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Par11 = nullptr;
  QAction* Par21 = nullptr;
  QAction* Serial1 = nullptr;
  QAction* ww1 = nullptr;
  QAction* VQ80ontvangen1 = nullptr;
  QAction* Backup1 = nullptr;
  QAction* Restore1 = nullptr;
  QAction* Report1 = nullptr;
  QAction* VQ20zoeken = nullptr;
  QAction* displaynokken1 = nullptr;
  QAction* Grafiek1 = nullptr;
  QAction* Grafiek2 = nullptr;
  QAction* FormAbout = nullptr;
  QAction* Errno1 = nullptr;
};

extern TFormMain* FormMain;
