#include "AxisModel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Linearisation.h"

namespace {

using namespace ParameterRoles;

double LinearisationSourceValue(const ParameterValues& p, const AxisSample& sample) {
  switch (p[LinearisationSource]) {
    case 1:
      return sample.position;
    case 2:
      return sample.velocityShown;
    default:
      return 0;
  }
}

}  // namespace

AxisModel::AxisModel(MotionProfile motion, SimTime start) : motion_(motion), start_(start) {}

double AxisModel::PositionOfCount(const ParameterValues& p, double count) const {
  double scaled = count * p[ScaleNumerator] / std::max(1, p[ScaleDenominator]);
  if (p[Direction] == 1) scaled = -scaled;
  return scaled + p[PositionOffset];
}

double AxisModel::PositionAt(const ParameterValues& p, double seconds) const {
  // The encoder sends a word of parameter-0 bits: counts wrap at its width.
  int bits = std::clamp(p[SsiBits], 1, 32);
  std::int64_t count = std::llround(motion_.CountAt(seconds));
  count &= (std::int64_t{1} << bits) - 1;
  return PositionOfCount(p, static_cast<double>(count));
}

AxisSample AxisModel::SampleAt(const ParameterValues& p, SimTime now) const {
  double seconds = Seconds(now);
  double filter = std::max(1, p[VelocityFilter]) / 1000.0;
  AxisSample sample;
  sample.position = PositionAt(p, seconds);
  sample.velocityPerSecond = (sample.position - PositionAt(p, seconds - filter)) / filter;
  sample.velocityShown = sample.velocityPerSecond * (p[VelocityUnit] == 1 ? 60 : 1);
  double source = LinearisationSourceValue(p, sample);
  sample.linearised = p[LinearisationSource] == 0 ? 0 : static_cast<double>(Linearise(std::llround(source), p));
  return sample;
}

void AxisModel::UpdatePeaks(const ParameterValues& p, SimTime now) {
  double seconds = Seconds(now);
  if (!peaksUpdatedAt_) {
    ResetPeaks(p, now);
    return;
  }
  MotionProfile::Span span = motion_.SpanBetween(*peaksUpdatedAt_, seconds);
  double a = PositionOfCount(p, span.lowest);
  double b = PositionOfCount(p, span.highest);
  peakHighest_ = std::max({peakHighest_, a, b});
  peakLowest_ = std::min({peakLowest_, a, b});
  peaksUpdatedAt_ = seconds;
}

void AxisModel::ResetPeaks(const ParameterValues& p, SimTime now) {
  double seconds = Seconds(now);
  peakHighest_ = peakLowest_ = PositionAt(p, seconds);
  peaksUpdatedAt_ = seconds;
}
