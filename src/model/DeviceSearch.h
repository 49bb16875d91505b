#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "comm/RkGlobal.h"
#include "comm/RkProtocolComponent.h"
#include "comm/RkTypes.h"

// The device search: the order in which unit numbers, baud rates and
// framings are probed, the probe and its reply test, and the texts of the
// grid of found devices in both directions.

constexpr int kSearchLastUnit = 31;
constexpr int kStartBaudrateCount = 5;  // the start list: 9600, 19200, 28800, 38400, 57600

// One combination the search tries.
struct SearchProbe {
  int unit = 0;  // 0 .. 31
  TBaudrate baudrate = TBaudrate::br9600;
  TParityBit parity = TParityBit::None;
  TStopBit stopBits = TStopBit::sb_1;
  friend bool operator==(const SearchProbe&, const SearchProbe&) = default;
};

// The baud rate at a position of the start list (0 = 9600 .. 4 = 57600); a
// position outside the list (no selection) reads as 9600.
TBaudrate StartBaudrate(int position);
// The search's rates from the start rate at `position` round the cycle 9600,
// 19200, 28800, 38400, 57600 to the one before it.
std::vector<TBaudrate> SearchRates(int startBaudPosition);

// Steps through the probes. Innermost the parity (None, Odd, Even) when it
// is tried automatically, then the stop bits (1, 2) when they are, then the
// unit number 0 .. 31, then the baud rate in the cycle 9600, 19200, 28800,
// 38400, 57600, 9600, ...; the search is finished when the cycle comes back
// to the rate it started at. Settings not tried automatically keep the
// port's saved value throughout.
class DeviceSearchOrder {
public:
  const SearchProbe& First(int startBaudPosition, bool parityAuto, bool stopBitsAuto, TParityBit savedParity,
                           TStopBit savedStopBits);
  // The same through the baud rates given, in their order, once each.
  const SearchProbe& First(std::vector<TBaudrate> rates, bool parityAuto, bool stopBitsAuto, TParityBit savedParity,
                           TStopBit savedStopBits);
  // The probe after Current(), or none when the search is finished (then
  // Current() stays the last probe and every further call gives none).
  std::optional<SearchProbe> Next();

  const SearchProbe& Current() const { return current_; }
  bool Finished() const { return finished_; }
  TBaudrate StartRate() const { return startBaudrate_; }

private:
  SearchProbe current_;
  TBaudrate startBaudrate_ = TBaudrate::br9600;
  std::vector<TBaudrate> rates_;
  std::size_t rate_ = 0;  // position of the current rate in rates_
  bool parityAuto_ = false;
  bool stopBitsAuto_ = false;
  bool finished_ = false;
};

// The unit-select probe: "sc " and the unit number in decimal.
std::string ProbeCommand(int unit);
// A device answered the probe when the reply without its last two bytes
// (only the first 100 bytes are looked at) is exactly the probe command.
bool IsProbeEcho(const ResultBytes& reply, int unit);

// The three type queries sent to a found device, in order.
constexpr std::array<const char*, 3> kTypeQueries = {"rt", "rh", "rx"};
constexpr std::string_view kTypeTextSeparator = "   ";
// The text of a type reply: without the echoed word and blank (3 bytes) and
// the line end (2 bytes); empty for a reply of fewer than 6 bytes.
std::string TypeReplyText(const ResultBytes& reply);
// The three type texts joined by three blanks each.
std::string JoinTypeTexts(std::string_view rt, std::string_view rh, std::string_view rx);

// Texts of the grid's cells and the search panel.
std::string UnitCellText(int unit);                   // "07"
std::string BaudrateCellText(TBaudrate baudrate);     // "9600" .. "57600"
std::string ParityCellText(TParityBit parity);        // "None", "Even", "Odd"
std::string StopBitsCellText(TStopBit stopBits);      // "1", "2"
std::string BaudrateDisplayText(TBaudrate baudrate);  // "1200 bit/s" .. "115200 bit/s"

// One row of the grid of found devices, columns 0 to 4.
struct FoundDeviceRow {
  std::string unit;
  std::string typeText;
  std::string baudrate;
  std::string parity;
  std::string stopBits;
  friend bool operator==(const FoundDeviceRow&, const FoundDeviceRow&) = default;
};

FoundDeviceRow MakeFoundDeviceRow(const SearchProbe& probe, std::string typeText);

// What choosing a row hands back: each setting that its cell names; a cell
// with any other text gives none, and the caller leaves that setting as it is.
struct DeviceChoice {
  std::optional<int> unit;
  std::optional<TBaudrate> baudrate;
  std::optional<TParityBit> parity;
  std::optional<TStopBit> stopBits;
  friend bool operator==(const DeviceChoice&, const DeviceChoice&) = default;
};

// None for a row without a device (empty type column): choosing it does nothing.
std::optional<DeviceChoice> ChoiceFromRow(const FoundDeviceRow& row);

// True when an exchange ended because the port was closed under it (the
// search's "operation aborted" case). Such an exchange delivers nothing to
// its component, so a window learns of it from the port's OnDeactivate; this
// test is for outcomes that reach it by other ways.
bool IsAbortedExchange(const TCommError& error);
