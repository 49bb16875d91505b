#include "PeakHolds.h"

#include <algorithm>

namespace {

using namespace ParameterRoles;

int FunctionOf(int peak, const ParameterValues& p) { return p[peak == 0 ? PeakHold1Function : PeakHold2Function]; }

}  // namespace

void PeakHolds::Reset(int peak, const AxisSample& sample, const ParameterValues& p) {
  values_[peak] = FunctionOf(peak, p) >= 2 ? sample.velocityShown : sample.position;
}

void PeakHolds::Skip(SimTime now) {
  if (updatedAt_) updatedAt_ = now;
}

void PeakHolds::Update(const AxisModel& axis, const ParameterValues& p, const AxisSample& sample, SimTime now) {
  if (!updatedAt_) {
    Reset(0, sample, p);
    Reset(1, sample, p);
    updatedAt_ = now;
    return;
  }
  AxisModel::Span span = axis.PositionSpan(p, *updatedAt_, now);
  updatedAt_ = now;
  for (int peak = 0; peak < 2; ++peak) {
    double& value = values_[peak];
    switch (FunctionOf(peak, p)) {
      case 0: value = std::max(value, span.highest); break;
      case 1: value = std::min(value, span.lowest); break;
      case 2: value = std::max(value, sample.velocityShown); break;
      default: value = std::min(value, sample.velocityShown); break;
    }
  }
}
