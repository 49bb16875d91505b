#pragma once

#include "DeviceMemory.h"
#include "MotionProfile.h"
#include "SimClock.h"

// What the position input gives at one moment, in position units.
struct AxisSample {
  double position = 0;
  double velocityPerSecond = 0;  // signed, unscaled: for the output advance
  double velocityShown = 0;      // as "r1" gives it (unit, factor, sign by parameters 217..221)
  double linearised = 0;         // through the table while parameter 246 is not 0
};

// The axis: the encoder count from the motion profile, cut to the SSI word
// width (200), counted in the chosen direction (204), scaled (205/206),
// shifted by the zero offset (207) and a preset, and folded into the modulo
// length (216) when one is set.
class AxisModel {
public:
  AxisModel(MotionProfile motion, SimTime start);

  AxisSample SampleAt(const ParameterValues& parameters, SimTime now) const;

  struct Span {
    double lowest;
    double highest;
  };
  // The lowest and highest position passed between two moments.
  Span PositionSpan(const ParameterValues& parameters, SimTime from, SimTime to) const;

  // Shifts the position so that it reads the preset value (208) now.
  void Preset(const ParameterValues& parameters, SimTime now);

private:
  double Seconds(SimTime now) const { return SecondsBetween(start_, now); }
  double CountAt(const ParameterValues& parameters, double seconds) const;
  double Unfolded(const ParameterValues& parameters, double count) const;
  double Folded(const ParameterValues& parameters, double position) const;

  MotionProfile motion_;
  SimTime start_;
  double presetShift_ = 0;
};
