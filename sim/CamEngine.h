#pragma once

#include <array>

#include "DeviceMemory.h"
#include "SimClock.h"

// What the cams read at one moment.
struct CamInputs {
  double position = 0;           // position units
  double velocityPerSecond = 0;  // signed, for the output advance and the direction
  double velocityShown = 0;      // as "r1" gives it: the velocity source and minimum
  double linearised = 0;
  bool inputActive[2] = {false, false};
  bool ssiError = false;
};

// The twelve cams and how they combine per output. Each cam is evaluated
// whenever the device is asked for something and keeps its state between
// evaluations (hysteresis, running pulse):
//  - function 1, a window start..end (start above end wraps around),
//    widened by the hysteresis while on; 2 and 3, above resp. below the
//    start value (hysteresis below resp. above it); 4 and 5, a pulse of the
//    cam's switching time when 2 resp. 3 would switch on;
//  - a position cam sees the position advanced by its output's advance time;
//  - it works only in its direction (19..), at or above its minimum velocity
//    (43..), and while its enabling input is active (79..); it can be
//    inverted (67..);
//  - the cams of one output combine by OR or AND (91); while the encoder
//    fails, cams switch off or hold (92).
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
  unsigned lastBits_ = 0;
};
