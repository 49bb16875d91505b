#pragma once

#include <optional>

#include "DeviceMemory.h"
#include "MotionProfile.h"
#include "SimClock.h"

// What the position input reads at one moment, in position units.
struct AxisSample {
  double position = 0;
  double velocityPerSecond = 0;
  double velocityShown = 0;  // per second or per minute (parameter 19)
  double linearised = 0;     // through the table when parameter 246 is not 0
};

// The axis: the encoder count from the motion profile, cut to the SSI word
// width, counted in the chosen direction, scaled and offset into position
// units; the velocity averaged over the filter time; two peak holds (the
// highest and the lowest position since the last reset).
class AxisModel {
public:
  AxisModel(MotionProfile motion, SimTime start);

  AxisSample SampleAt(const ParameterValues& parameters, SimTime now) const;

  // Brings the peak holds up to now. Call before reading them.
  void UpdatePeaks(const ParameterValues& parameters, SimTime now);
  void ResetPeaks(const ParameterValues& parameters, SimTime now);
  // While the encoder signal is lost the peaks must not see the motion.
  void SkipPeaksTo(SimTime now) {
    if (peaksUpdatedAt_) peaksUpdatedAt_ = Seconds(now);
  }
  double PeakHighest() const { return peakHighest_; }
  double PeakLowest() const { return peakLowest_; }

private:
  double PositionAt(const ParameterValues& parameters, double seconds) const;
  double PositionOfCount(const ParameterValues& parameters, double count) const;
  double Seconds(SimTime now) const { return SecondsBetween(start_, now); }

  MotionProfile motion_;
  SimTime start_;
  std::optional<double> peaksUpdatedAt_;  // seconds
  double peakHighest_ = 0;
  double peakLowest_ = 0;
};
