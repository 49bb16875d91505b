#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Global_var.h"

// The ten live quantities of the main window, in the order they are
// switched on.
enum class LiveQuantity {
  ActPos, Snelheid, ActPosLin, ActPeakHold1, ActPeakHold2, Spanning_uit, Stroom_uit, Spanning_in, Stroom_in,
  Analoog_in_AWE
};
constexpr int kLiveQuantityCount = 10;

struct LiveQuantityInfo {
  LiveQuantity quantity;
  const char* command;
  int decimalsCode;  // decimals code for FormatFixed (9: parameter 203, 10: parameter 248)
  const char* unit;  // appended after a blank, or ""
  bool asText;       // shown as the device sent it
};

const LiveQuantityInfo& Info(LiveQuantity quantity);

// The quantities to poll at switch-on, in switch-on order, chosen by the
// parameters and the device type.
std::vector<LiveQuantity> QuantitiesToPoll(const std::array<std::int32_t, kParameterCount>& parameters,
                                           const std::string& deviceType);

// What a value panel shows for a reply value: fixed point with the
// quantity's decimals (and unit), "????" when the value is not a whole
// number, or the text itself for the analog input value.
std::string LiveValueText(LiveQuantity quantity, const std::string& value,
                          const std::array<std::int32_t, kParameterCount>& parameters);

// Input/output reply value as a bit pattern (0 when it is not a number).
int BitPattern(const std::string& value);
