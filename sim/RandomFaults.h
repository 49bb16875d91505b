#pragma once

#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "SimClock.h"

// Line faults drawn at random, each hitting a percentage of the replies
// (one draw per reply, so the faults never overlap):
//   garble  the reply is garbled as by interference
//   silent  the command acts, its reply is lost
//   late    the reply's first byte comes after the tool has given up on it
//   split   the reply comes in two bursts, SplitGap apart
//   double  the reply is sent twice, back to back
struct RandomFaults {
  enum class Kind { None, Garble, Silent, Late, Split, Double };
  static constexpr auto SplitGap = std::chrono::milliseconds(80);  // the tool ends a reply after 50 ms of silence

  double garble = 0, silent = 0, late = 0, split = 0, doubled = 0;  // percent of the replies

  Kind Draw(std::mt19937& random) const;
};

// "garble=1,silent=0.5,late=1,split=1,double=1": any of the five, each a
// percentage (decimals allowed); together at most 100. None, with *error
// set, for an unknown name or a bad number.
std::optional<RandomFaults> ParseRandomFaults(std::string_view text, std::string* error);

// How late a late reply to `commandLine` comes: past the tool's first-byte
// time-out for that command (1000 ms for "rp" and "rs", 2000 ms for "bp",
// 100 ms for the rest, the graph's 300 ms included) by 300 ms.
SimDuration LateReplyDelay(std::string_view commandLine);

const char* RandomFaultName(RandomFaults::Kind kind);
