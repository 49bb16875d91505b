#pragma once

#include <optional>
#include <string>
#include <string_view>

// The encoder count the simulated axis reads at a given time: a periodic
// sweep between two counts, or a standstill.
class MotionProfile {
public:
  enum class Shape { Triangle, Sine, Sawtooth, Still };

  MotionProfile() = default;
  MotionProfile(Shape shape, double from, double to, double periodSeconds);

  // "KIND:FROM:TO:PERIOD", KIND one of triangle, sine, sawtooth, still
  // (still uses FROM only: "still:500"). No value for a malformed text.
  static std::optional<MotionProfile> Parse(std::string_view text);

  double CountAt(double seconds) const;

  struct Span {
    double lowest;
    double highest;
  };
  // The lowest and highest count reached between the two times (from <= to).
  Span SpanBetween(double from, double to) const;

  Shape shape() const { return shape_; }

private:
  double Phase(double seconds) const;  // 0 <= phase < 1
  double CountAtPhase(double phase) const;

  Shape shape_ = Shape::Triangle;
  double from_ = 0;
  double to_ = 10000;
  double period_ = 20;
};
