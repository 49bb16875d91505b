#include "AxisModel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Linearisation.h"

namespace {

using namespace ParameterRoles;

double LinearisationInput(const ParameterValues& p, const AxisSample& sample) {
  return p[LinearisationSource] == 2 ? sample.velocityShown : sample.position;
}

}  // namespace

AxisModel::AxisModel(MotionProfile motion, SimTime start) : motion_(motion), start_(start) {}

// The encoder sends a word of parameter-200 bits: its count wraps at that width.
double AxisModel::CountAt(const ParameterValues& p, double seconds) const {
  int bits = std::clamp(p[SsiBits], 1, 32);
  std::int64_t count = std::llround(motion_.CountAt(seconds));
  count &= (std::int64_t{1} << bits) - 1;
  return static_cast<double>(count);
}

double AxisModel::Unfolded(const ParameterValues& p, double count) const {
  double scaled = count * p[ScaleNumerator] / std::max(1, p[ScaleDenominator]);
  if (p[Direction] == 1) scaled = -scaled;
  return scaled + p[ZeroOffset] + presetShift_;
}

double AxisModel::Folded(const ParameterValues& p, double position) const {
  double modulo = p[ModuloLength];
  if (modulo <= 0) return position;
  double folded = std::fmod(position, modulo);
  return folded < 0 ? folded + modulo : folded;
}

AxisSample AxisModel::SampleAt(const ParameterValues& p, SimTime now) const {
  double seconds = Seconds(now);
  double filter = std::max(1, p[VelocityFilter]) / 1000.0;
  double here = Unfolded(p, CountAt(p, seconds));
  AxisSample sample;
  sample.position = Folded(p, here);
  sample.velocityPerSecond = (here - Unfolded(p, CountAt(p, seconds - filter))) / filter;
  double shown = sample.velocityPerSecond * p[VelocityFactor] / 1000.0 * (p[VelocityUnit] == 1 ? 60 : 1);
  sample.velocityShown = p[VelocityAbsolute] == 1 ? std::fabs(shown) : shown;
  if (p[LinearisationSource] != 0)
    sample.linearised = static_cast<double>(LinearisedValue(std::llround(LinearisationInput(p, sample)), p));
  return sample;
}

AxisModel::Span AxisModel::PositionSpan(const ParameterValues& p, SimTime from, SimTime to) const {
  MotionProfile::Span counts = motion_.SpanBetween(Seconds(from), Seconds(to));
  double a = Unfolded(p, counts.lowest);
  double b = Unfolded(p, counts.highest);
  Span span{std::min(a, b), std::max(a, b)};
  double modulo = p[ModuloLength];
  if (modulo > 0 && std::floor(span.lowest / modulo) != std::floor(span.highest / modulo)) return Span{0, modulo};
  return Span{Folded(p, span.lowest), Folded(p, span.highest)};
}

void AxisModel::Preset(const ParameterValues& p, SimTime now) {
  double unshifted = Unfolded(p, CountAt(p, Seconds(now))) - presetShift_;
  presetShift_ = p[PresetValue] - unshifted;
}
