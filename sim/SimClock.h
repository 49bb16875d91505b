#pragma once

#include <chrono>
#include <cstdint>

// The simulator's one time base. The device model computes the axis from the
// time it is asked at, so nothing runs between commands and an idle
// simulator sleeps in poll().
using SimClock = std::chrono::steady_clock;
using SimTime = SimClock::time_point;
using SimDuration = SimClock::duration;

inline SimDuration Milliseconds(std::int64_t ms) { return std::chrono::milliseconds(ms); }

inline double SecondsBetween(SimTime from, SimTime to) {
  return std::chrono::duration<double>(to - from).count();
}
