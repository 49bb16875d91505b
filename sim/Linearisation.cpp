#include "Linearisation.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace ParameterRoles;

std::int64_t Interpolate(std::int64_t value, const ParameterValues& p, int points) {
  auto x = [&](int i) { return static_cast<std::int64_t>(p[LinearisationXFirst + i]); };
  auto y = [&](int i) { return static_cast<std::int64_t>(p[LinearisationYFirst + i]); };
  if (value <= x(0)) return y(0);
  for (int i = 1; i < points; ++i) {
    if (value > x(i)) continue;
    std::int64_t dx = x(i) - x(i - 1);
    if (dx <= 0) return y(i);
    double fraction = static_cast<double>(value - x(i - 1)) / static_cast<double>(dx);
    return y(i - 1) + std::llround(fraction * static_cast<double>(y(i) - y(i - 1)));
  }
  return y(points - 1);
}

}  // namespace

std::int64_t Linearise(std::int64_t value, const ParameterValues& parameters) {
  int points = std::clamp(parameters[LinearisationPoints], 0, MaxLinearisationPoints);
  if (points == 0) return value;
  int mode = parameters[LinearisationMode];
  if (value < 0 && mode == 1) return Interpolate(-value, parameters, points);
  if (value < 0 && mode == 2) return -Interpolate(-value, parameters, points);
  return Interpolate(value, parameters, points);
}
