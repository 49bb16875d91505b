#pragma once

// A linearisation table and a cam set as an engineer leaves them on a
// commissioned device: positions in hundredths of a millimetre, a sensor
// whose output flattens towards the end of its range, seven cams on the four
// outputs (every function once, one window taken from setpoints 3 and 4).
#include <cstdint>
#include <utility>
#include <vector>

#include "model/Global_var.h"
#include "model/ParameterNumbers.h"

struct DeviceValue {
  int number;
  std::int32_t value;
};

inline std::vector<DeviceValue> CommissionedParameters() {
  namespace P = ParameterNumber;
  std::vector<DeviceValue> values = {
      {P::DecimalsOfPositions, 2}, {P::DecimalsOfLinearisation, 2}, {P::LinearisationMode, 1},
      {P::LinearisationSource, 1}, {P::LinearisationPointCount, 12},
  };
  const std::int32_t y[] = {0, 8200, 17100, 26900, 37300, 48000, 58600, 68700, 78100, 86700, 94600, 101800};
  for (int k = 1; k <= 12; ++k) {
    values.push_back({P::LinearisationX(k), (k - 1) * 10000});
    values.push_back({P::LinearisationY(k), y[k - 1]});
  }
  struct Cam {
    int function, output;
    std::int32_t start, end;
    int startSetpoint, endSetpoint;
    std::int32_t hysteresis, switchingTime;
  };
  const Cam cams[] = {
      {1, 1, 2500, 15000, 0, 0, 50, 0},    {2, 1, 60000, 0, 0, 0, 100, 0}, {1, 2, 0, 0, 3, 4, 25, 250},
      {3, 3, 10000, 0, 0, 0, 100, 0},      {4, 4, 80000, 0, 0, 0, 200, 1500}, {5, 2, 5000, 0, 0, 0, 100, 3000},
      {1, 3, 30000, 45000, 0, 0, 50, 0},
  };
  for (int c = 1; c <= P::kCams; ++c) {
    const Cam cam = c <= 7 ? cams[c - 1] : Cam{0, 1, 0, 0, 0, 0, 0, 0};
    values.insert(values.end(), {{P::CamFunction(c), cam.function},
                                 {P::CamOutput(c), cam.output},
                                 {P::CamSource(c), 0},
                                 {P::CamStart(c), cam.start},
                                 {P::CamEnd(c), cam.end},
                                 {P::CamStartSetpoint(c), cam.startSetpoint},
                                 {P::CamEndSetpoint(c), cam.endSetpoint},
                                 {P::CamHysteresis(c), cam.hysteresis},
                                 {P::CamSwitchingTime(c), cam.switchingTime}});
  }
  for (int o = 1; o <= P::kOutputs; ++o) values.push_back({P::OutputAdvance(o), o == 1 ? 20 : o == 3 ? 35 : 0});
  return values;
}

inline std::vector<DeviceValue> CommissionedSetpoints() { return {{3, 40000}, {4, 52500}}; }

// Puts them straight into the shared tables, as if received.
inline void PutCommissionedValues() {
  TGlobalVar& g = GlobalVar();
  for (const DeviceValue& v : CommissionedParameters()) g.ParameterTable[static_cast<std::size_t>(v.number)] = v.value;
  for (const DeviceValue& v : CommissionedSetpoints()) g.SetpointTable[static_cast<std::size_t>(v.number)] = v.value;
  g.ParameterSource = psDevice;
  g.SetpointSource = psDevice;
}
