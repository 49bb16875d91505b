#pragma once

#include <QString>
#include <array>
#include <functional>
#include <string>

#include "model/DeviceSearchRun.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

// Searches the line for devices whose unit number, baud rate, parity or
// stop bits are not known: it selects each unit at each combination in turn
// ("sc n"), reads the type texts of every unit that echoes the selection,
// and lists it (the search itself is a DeviceSearchRun). Choosing a row
// sets the line settings on the port and hands the unit number to whoever
// listens (the main window).
//
// The window has the port to itself while it is shown: the main window's
// error poll is paused, and opening the port from here selects no unit.
class TFormApparaatZoeken : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormApparaatZoeken(QWidget* parent = nullptr);

  // Opens or closes the port as its owner does (false: it refused, and has
  // said why), and takes the chosen unit number.
  std::function<bool(bool active)> SetPortActive;
  std::function<void(int unit)> UnitChosen;

  // The controls the tests drive by name.
  QTableWidget* StringGrid1 = nullptr;
  QComboBox* ComboBaudRate = nullptr;
  QRadioButton* RB_parity_com = nullptr;
  QRadioButton* RB_parity_auto = nullptr;
  QRadioButton* RB_stopbits_com = nullptr;
  QRadioButton* RB_stopbits_auto = nullptr;
  std::array<QLabel*, 3> ParityPanels{};    // Panel_parity_N, _O, _E
  std::array<QLabel*, 2> StopBitsPanels{};  // Panel_stopbits_1, _2
  QLabel* PanelBaudtare = nullptr;
  QLabel* PanelApparaatNo = nullptr;
  QProgressBar* Gauge1 = nullptr;
  QLabel* PanelZoekTekst = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdVerder = nullptr;
  QPushButton* CmdStartZoeken = nullptr;
  QPushButton* CmdStop = nullptr;
  QPushButton* CmdCancel = nullptr;

  // Cancel: closes the port and puts back the line settings saved when the
  // window opened (also for Escape and the window's close button).
  void reject() override;

protected:
  void FormActivate() override;

private:
  enum class Ending { None, Ok, Cancel };

  void BuildControls();
  QWidget* BuildSettingsRow();
  QWidget* BuildProgressRow();
  QWidget* BuildButtonRow();

  void CmdStartZoekenClick();
  void CmdStopClick();
  void CmdVerderClick();
  void CmdOKClick();

  void WireSearch();
  void StartSearch();
  void SettingRefused(const std::string& why);
  void ExchangeAborted();
  void ListFoundDevice(const SearchProbe& probe, const std::string& typeText);
  void Stopped();
  void Finished();

  void ClearGrid();
  void ShowProbe(const SearchProbe& probe);
  void ClearIndicators();
  void EnableChoice(bool enabled);
  void ShowStatus(const char* key);
  void ApplyColumnTexts();
  bool ClosePort();

  void EndWindow(Ending ending, const SearchFraming& next, std::optional<DeviceChoice> choice);
  void FinishEnding();

  WindowTexts texts_;
  std::unique_ptr<DeviceSearchRun> search_;
  int nextRow_ = 1;  // grid row of the next found device, 1-based below the header
  // OK or Cancel waiting for the units still selected at other framings to
  // be deselected.
  Ending ending_ = Ending::None;
  std::optional<DeviceChoice> choice_;
  TBaudrate savedBaudrate_ = TBaudrate::br9600;
  TParityBit savedParity_ = TParityBit::None;
  TStopBit savedStopBits_ = TStopBit::sb_1;
};

extern TFormApparaatZoeken* FormApparaatZoeken;
