#include "MotionProfile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitColons(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t colon = text.find(':', start);
    parts.emplace_back(text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    if (colon == std::string_view::npos) return parts;
    start = colon + 1;
  }
}

std::optional<double> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<MotionProfile::Shape> ParseShape(const std::string& name) {
  if (name == "triangle") return MotionProfile::Shape::Triangle;
  if (name == "sine") return MotionProfile::Shape::Sine;
  if (name == "sawtooth") return MotionProfile::Shape::Sawtooth;
  if (name == "still") return MotionProfile::Shape::Still;
  return std::nullopt;
}

}  // namespace

MotionProfile::MotionProfile(Shape shape, double from, double to, double periodSeconds)
    : shape_(shape), from_(from), to_(shape == Shape::Still ? from : to), period_(periodSeconds) {}

std::optional<MotionProfile> MotionProfile::Parse(std::string_view text) {
  auto parts = SplitColons(text);
  auto shape = ParseShape(parts[0]);
  if (!shape) return std::nullopt;
  if (*shape == Shape::Still) {
    if (parts.size() != 2) return std::nullopt;
    auto at = ParseNumber(parts[1]);
    if (!at) return std::nullopt;
    return MotionProfile(Shape::Still, *at, *at, 1);
  }
  if (parts.size() != 4) return std::nullopt;
  auto from = ParseNumber(parts[1]);
  auto to = ParseNumber(parts[2]);
  auto period = ParseNumber(parts[3]);
  if (!from || !to || !period || *period < 0.1) return std::nullopt;
  return MotionProfile(*shape, *from, *to, *period);
}

double MotionProfile::Phase(double seconds) const {
  double cycles = seconds / period_;
  return cycles - std::floor(cycles);
}

double MotionProfile::CountAtPhase(double phase) const {
  double span = to_ - from_;
  switch (shape_) {
    case Shape::Triangle:
      return from_ + span * (phase < 0.5 ? 2 * phase : 2 - 2 * phase);
    case Shape::Sine:
      return from_ + span * (1 - std::cos(2 * std::numbers::pi * phase)) / 2;
    case Shape::Sawtooth:
      return from_ + span * phase;
    case Shape::Still:
      break;
  }
  return from_;
}

double MotionProfile::CountAt(double seconds) const { return CountAtPhase(Phase(seconds)); }

MotionProfile::Span MotionProfile::SpanBetween(double from, double to) const {
  double a = CountAt(from);
  double b = CountAt(to);
  Span span{std::min(a, b), std::max(a, b)};
  if (shape_ == Shape::Still) return span;
  // Every shape reaches both ends once per period: at phase 0 (FROM) and at
  // phase 0.5 (TO), the sawtooth approaching TO just before it jumps back.
  double extremePhases[] = {0.0, 0.5};
  if (shape_ == Shape::Sawtooth) extremePhases[1] = 1.0;
  for (double extreme : extremePhases) {
    double firstCycle = std::ceil(from / period_ - extreme);
    double when = (firstCycle + extreme) * period_;
    if (when > from && when <= to) {
      double value = extreme == 0.0 ? from_ : to_;
      span.lowest = std::min(span.lowest, value);
      span.highest = std::max(span.highest, value);
    }
  }
  return span;
}
