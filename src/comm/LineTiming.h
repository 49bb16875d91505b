#pragma once

#include <chrono>
#include <cstddef>

// Time limits the back-ends put on waits that depend on the line.

// Time the line needs for n bytes at this baud rate (11 bits per byte at most).
inline int TransmitMs(std::size_t bytes, int baud) {
  return static_cast<int>((bytes * 11u * 1000u) / static_cast<unsigned>(baud > 0 ? baud : 9600)) + 1;
}

// How long a write of n bytes may take before the line counts as stuck
// (flow control, a vanished adapter): it is reported, never waited for.
inline int WriteLimitMs(std::size_t bytes, int baud) { return 1000 + 2 * TransmitMs(bytes, baud); }

// Milliseconds to a deadline, rounded up: a wait must never end before its
// deadline (a gap of 49.5 ms does not end a reply).
inline int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}
