#pragma once

#include <array>
#include <cstdint>

#include "DeviceMemory.h"
#include "SimClock.h"

// The values a cam can read, taken at one moment.
struct CamInputs {
  double position = 0;           // position units
  double velocityPerSecond = 0;  // for the output advance
  double velocityShown = 0;      // in the unit chosen by parameter 19, as "r1" gives it
  double linearised = 0;
};

// The twelve cams. Each is evaluated whenever the device is asked for
// something, so a cam keeps its state (hysteresis, running pulse) between
// evaluations. Function 1 is a window start..end (start above end wraps
// around), widened by the hysteresis while it is on; functions 2 and 3
// compare with the start value (hysteresis below resp. above it); functions
// 4 and 5 give a pulse of the cam's switching time when 2 resp. 3 switches
// on. A position cam sees the position advanced by its output's advance time.
class CamEngine {
public:
  // Output bits 0..3 (output 1 = bit 0) that the cams switch on.
  unsigned Evaluate(const ParameterValues& parameters, const SetpointValues& setpoints, const CamInputs& inputs,
                    SimTime now);

private:
  struct CamState {
    bool known = false;  // false until the first evaluation: no pulse from the start-up state
    bool level = false;
    SimTime pulseUntil{};
  };

  bool EvaluateCam(int cam, const ParameterValues& p, const SetpointValues& s, const CamInputs& inputs, SimTime now);

  std::array<CamState, 12> cams_{};
};
