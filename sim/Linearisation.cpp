#include "Linearisation.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace ParameterRoles;

struct Table {
  const ParameterValues& p;
  int points;
  bool extrapolate;

  double X(int i) const { return p[LinearisationXFirst + i]; }
  double Y(int i) const { return p[LinearisationYFirst + i]; }

  // The straight line through points i and i + 1 at value.
  double Segment(int i, double value) const {
    double dx = X(i + 1) - X(i);
    if (dx <= 0) return Y(i + 1);
    return Y(i) + (value - X(i)) / dx * (Y(i + 1) - Y(i));
  }

  double At(double value) const {
    if (points == 1) return Y(0);
    if (value <= X(0)) return extrapolate ? Segment(0, value) : Y(0);
    for (int i = 1; i < points; ++i)
      if (value <= X(i)) return Segment(i - 1, value);
    return extrapolate ? Segment(points - 2, value) : Y(points - 1);
  }
};

}  // namespace

std::int64_t Linearise(std::int64_t value, const ParameterValues& parameters) {
  int points = std::clamp(parameters[LinearisationPoints], 0, MaxLinearisationPoints);
  if (points == 0) return value;
  Table table{parameters, points, parameters[LinearisationOutside] == 1};
  int mode = parameters[LinearisationMode];
  double x = static_cast<double>(value);
  double y = table.At(x);
  if (value < 0 && mode == 1) y = table.At(-x);
  if (value < 0 && mode == 2) y = -table.At(-x);
  return std::llround(y);
}

std::int64_t LinearisedValue(std::int64_t value, const ParameterValues& parameters) {
  std::int64_t y = Linearise(value, parameters);
  if (parameters[LinearisationReversed] == 1) y = -y;
  return y + parameters[LinearisationOffset];
}
