#pragma once

#include <array>
#include <cstdint>

#include "ParameterLimits.h"

using ParameterValues = std::array<std::int32_t, ParameterRoles::Count>;
// Index 0 is unused so that setpoint n sits at index n.
using SetpointValues = std::array<std::int32_t, ParameterRoles::SetpointCount + 1>;

// Calibration words 2028..2045: the analog output's teach values (2028..2031),
// two spare words, then gains and offsets of the analog input (2034..2039)
// and output (2040..2045).
namespace CalibrationAddress {
inline constexpr int First = 2028;
inline constexpr int Last = 2045;
inline constexpr int Count = Last - First + 1;
inline constexpr int InVoltageGainNegative = 2034;
inline constexpr int InVoltageOffset = 2035;
inline constexpr int InVoltageGainPositive = 2036;
inline constexpr int InCurrentGainNegative = 2037;
inline constexpr int InCurrentOffset = 2038;
inline constexpr int InCurrentGainPositive = 2039;
inline constexpr int OutVoltageGainNegative = 2040;
inline constexpr int OutVoltageOffset = 2041;
inline constexpr int OutVoltageGainPositive = 2042;
inline constexpr int OutCurrentOffset = 2043;
inline constexpr int OutCurrentGainPositive = 2044;
inline constexpr int OutCurrentGainNegative = 2045;
inline constexpr std::int32_t WordMinimum = -99999;
inline constexpr std::int32_t WordMaximum = 99999;
}  // namespace CalibrationAddress

using CalibrationWords = std::array<std::int32_t, CalibrationAddress::Count>;

// What a unit keeps across power cycles.
struct DeviceMemory {
  ParameterValues written{};  // stored by "wp", read by "rp"
  ParameterValues active{};   // taken over by the last successful "bp"
  SetpointValues setpoints{};
  CalibrationWords eeprom{};  // stored by "ks"

  static DeviceMemory Defaults(const ParameterLimits& limits);
};

SetpointValues DefaultSetpoints();
CalibrationWords DefaultCalibrationWords();
