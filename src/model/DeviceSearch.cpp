#include "model/DeviceSearch.h"

#include <algorithm>
#include <cstdio>

#include "comm/SerialApi.h"
#include "model/DeviceReply.h"

namespace {

constexpr TBaudrate kFirstSearchRate = TBaudrate::br9600;

}  // namespace

TBaudrate StartBaudrate(int position) {
  if (position < 0 || position >= kStartBaudrateCount) position = 0;
  return static_cast<TBaudrate>(static_cast<int>(kFirstSearchRate) + position);
}

std::vector<TBaudrate> SearchRates(int startBaudPosition) {
  const int start = startBaudPosition < 0 || startBaudPosition >= kStartBaudrateCount ? 0 : startBaudPosition;
  std::vector<TBaudrate> rates;
  for (int i = 0; i < kStartBaudrateCount; ++i) rates.push_back(StartBaudrate((start + i) % kStartBaudrateCount));
  return rates;
}

const SearchProbe& DeviceSearchOrder::First(int startBaudPosition, bool parityAuto, bool stopBitsAuto,
                                            TParityBit savedParity, TStopBit savedStopBits) {
  return First(SearchRates(startBaudPosition), parityAuto, stopBitsAuto, savedParity, savedStopBits);
}

const SearchProbe& DeviceSearchOrder::First(std::vector<TBaudrate> rates, bool parityAuto, bool stopBitsAuto,
                                            TParityBit savedParity, TStopBit savedStopBits) {
  parityAuto_ = parityAuto;
  stopBitsAuto_ = stopBitsAuto;
  finished_ = false;
  rates_ = rates.empty() ? std::vector<TBaudrate>{kFirstSearchRate} : std::move(rates);
  rate_ = 0;
  startBaudrate_ = rates_.front();
  current_.unit = 0;
  current_.baudrate = startBaudrate_;
  current_.parity = parityAuto ? TParityBit::None : savedParity;
  current_.stopBits = stopBitsAuto ? TStopBit::sb_1 : savedStopBits;
  return current_;
}

std::optional<SearchProbe> DeviceSearchOrder::Next() {
  if (finished_) return std::nullopt;
  SearchProbe next = current_;
  auto restartFraming = [&] {
    if (parityAuto_) next.parity = TParityBit::None;
    if (stopBitsAuto_) next.stopBits = TStopBit::sb_1;
  };
  if (parityAuto_ && next.parity != TParityBit::Even) {
    next.parity = next.parity == TParityBit::None ? TParityBit::Odd : TParityBit::Even;
  } else if (stopBitsAuto_ && next.stopBits != TStopBit::sb_2) {
    next.stopBits = TStopBit::sb_2;
    if (parityAuto_) next.parity = TParityBit::None;
  } else if (next.unit < kSearchLastUnit) {
    ++next.unit;
    restartFraming();
  } else {
    if (++rate_ == rates_.size()) {
      finished_ = true;
      return std::nullopt;
    }
    next.baudrate = rates_[rate_];
    next.unit = 0;
    restartFraming();
  }
  current_ = next;
  return current_;
}

std::string ProbeCommand(int unit) { return "sc " + std::to_string(unit); }

bool IsProbeEcho(const ResultBytes& reply, int unit) {
  const std::size_t looked = std::min(reply.size(), kReplyCopyLimit);
  if (looked <= 2) return false;
  const std::string text(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(looked - 2));
  return text == ProbeCommand(unit);
}

std::string TypeReplyText(const ResultBytes& reply) { return ReplyValue(reply, reply.size()); }

std::string JoinTypeTexts(std::string_view rt, std::string_view rh, std::string_view rx) {
  std::string text(rt);
  text += kTypeTextSeparator;
  text += rh;
  text += kTypeTextSeparator;
  text += rx;
  return text;
}

std::string UnitCellText(int unit) {
  char text[16];
  std::snprintf(text, sizeof text, "%2.2d", unit);
  return text;
}

std::string BaudrateCellText(TBaudrate baudrate) { return std::to_string(BaudrateValue(baudrate)); }

std::string ParityCellText(TParityBit parity) {
  switch (parity) {
    case TParityBit::None: return "None";
    case TParityBit::Even: return "Even";
    case TParityBit::Odd: return "Odd";
  }
  return {};
}

std::string StopBitsCellText(TStopBit stopBits) { return stopBits == TStopBit::sb_2 ? "2" : "1"; }

std::string BaudrateDisplayText(TBaudrate baudrate) { return BaudrateCellText(baudrate) + " bit/s"; }

FoundDeviceRow MakeFoundDeviceRow(const SearchProbe& probe, std::string typeText) {
  return {UnitCellText(probe.unit), std::move(typeText), BaudrateCellText(probe.baudrate),
          ParityCellText(probe.parity), StopBitsCellText(probe.stopBits)};
}

namespace {

std::optional<int> UnitFromCell(std::string_view cell) {
  if (cell.empty() || cell.size() > 3) return std::nullopt;
  int unit = 0;
  for (const char c : cell) {
    if (c < '0' || c > '9') return std::nullopt;
    unit = unit * 10 + (c - '0');
  }
  if (unit > kSearchLastUnit) return std::nullopt;
  return unit;
}

template <typename Enum, std::size_t N>
std::optional<Enum> FromCell(std::string_view cell, const std::pair<const char*, Enum> (&table)[N]) {
  for (const auto& [text, value] : table)
    if (cell == text) return value;
  return std::nullopt;
}

}  // namespace

std::optional<DeviceChoice> ChoiceFromRow(const FoundDeviceRow& row) {
  if (row.typeText.empty()) return std::nullopt;
  static const std::pair<const char*, TBaudrate> kRates[] = {{"9600", TBaudrate::br9600},
                                                             {"19200", TBaudrate::br19200},
                                                             {"28800", TBaudrate::br28800},
                                                             {"38400", TBaudrate::br38400},
                                                             {"57600", TBaudrate::br57600}};
  static const std::pair<const char*, TParityBit> kParities[] = {
      {"None", TParityBit::None}, {"Odd", TParityBit::Odd}, {"Even", TParityBit::Even}};
  static const std::pair<const char*, TStopBit> kStopBits[] = {{"1", TStopBit::sb_1}, {"2", TStopBit::sb_2}};
  DeviceChoice choice;
  choice.unit = UnitFromCell(row.unit);
  choice.baudrate = FromCell(row.baudrate, kRates);
  choice.parity = FromCell(row.parity, kParities);
  choice.stopBits = FromCell(row.stopBits, kStopBits);
  return choice;
}

// Closing the port marks it closed and cancels the worker's wait: the
// worker's next port step reports cePortClosed, a write that was waiting for
// room the back-end's cancelled wait. Either way the close cut the exchange
// short.
bool IsAbortedExchange(const TCommError& error) {
  return error.Code == cePortClosed ||
         (error.Code == ceSystemError && error.SystemError == static_cast<std::uint32_t>(CancelledWaitError()));
}
