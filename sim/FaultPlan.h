#pragma once

#include <cstdint>

#include "RandomFaults.h"

// Timing and faults of the line, changeable while the simulator runs.
struct FaultPlan {
  int replyDelayMs = 2;      // from the CR to the first reply byte
  int burstSize = 0;         // 0: the reply goes out at once; K: K bytes per burst
  int burstGapMs = 0;        // pause between two bursts
  int silentCommands = 0;    // the next N commands get no reply
  int garbledCommands = 0;   // the next N commands get a garbled reply
  double noisePerMinute = 0; // stray bursts of 1..4 random bytes, on average
  bool wireTime = false;     // commands and replies take as long as on the wire
  char wireParity = 0;
  RandomFaults random;       // faults drawn per reply (--faults)       // 'N', 'E', 'O': the parity wire time counts; 0: the line's own
};
