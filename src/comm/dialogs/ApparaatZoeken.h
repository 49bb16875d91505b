#pragma once

#include <QString>
#include <array>
#include <string>

#include "comm/QL200Protocol.h"
#include "model/DeviceSearch.h"
#include "model/SearchSelections.h"
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
// and lists it. Choosing a row hands the unit number and the line settings
// to the main window and its port.
//
// The window has the port to itself while it is shown: the main window's
// error poll is paused, and opening the port from here selects no unit.
class TFormApparaatZoeken : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormApparaatZoeken(QWidget* parent = nullptr);

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
  enum class Outstanding { Nothing, Probe, TypeQuery, Deselect };
  enum class Ending { None, Ok, Cancel };

  void BuildControls();
  QWidget* BuildSettingsRow();
  QWidget* BuildProgressRow();
  QWidget* BuildButtonRow();

  void CmdStartZoekenClick();
  void CmdStopClick();
  void CmdVerderClick();
  void CmdOKClick();

  void NextStep();
  bool StartSearch(SearchProbe& first);
  bool ApplyProbe(const SearchProbe& probe);
  void SendProbe(const SearchProbe& probe);
  void SendTypeQuery(int step);
  void ProbeReply(const ResultBytes& reply);
  void TypeReply(const ResultBytes& reply);
  void ExchangeFailed(const TCommError& error);
  void ExchangeAborted();
  void ListFoundDevice();
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
  void ContinueEnding();
  void FinishEnding();

  WindowTexts texts_;
  TQL200Protocol QL200ApparaatZoeken;
  TQL200Protocol ASCIILeesTypeInfo;

  DeviceSearchOrder order_;
  bool starting_ = false;
  bool stopRequested_ = false;
  bool finished_ = false;
  int nextRow_ = 1;  // grid row of the next found device, 1-based below the header
  int typeStep_ = 0;
  std::string typeText_;
  Outstanding outstanding_ = Outstanding::Nothing;
  SearchSelections selections_;
  // OK or Cancel waiting for the units still selected at other framings to
  // be deselected.
  Ending ending_ = Ending::None;
  bool deselecting_ = false;
  SearchFraming nextFraming_;
  std::optional<DeviceChoice> choice_;
  std::vector<SearchFraming> toDeselect_;
  TBaudrate savedBaudrate_ = TBaudrate::br9600;
  TParityBit savedParity_ = TParityBit::None;
  TStopBit savedStopBits_ = TStopBit::sb_1;
};

extern TFormApparaatZoeken* FormApparaatZoeken;
