#pragma once

#include <optional>

#include "AxisModel.h"

// The two peak holds (parameters 242..245): each keeps the maximum or the
// minimum of the position or of the velocity since its last reset. Position
// peaks follow the motion exactly between two updates; velocity peaks see
// the velocity at each update.
class PeakHolds {
public:
  void Update(const AxisModel& axis, const ParameterValues& parameters, const AxisSample& sample, SimTime now);
  // While the encoder fails the peaks do not see the motion.
  void Skip(SimTime now);
  void Reset(int peak, const AxisSample& sample, const ParameterValues& parameters);  // peak 0 or 1
  double Value(int peak) const { return values_[peak]; }

private:
  std::optional<SimTime> updatedAt_;
  double values_[2] = {0, 0};
};
