#pragma once

#include <string>

// What a run of vq2x ended with, as its exit status: a script never has to
// read the text to know what happened.
enum ExitStatus : int {
  kDone = 0,
  kDifferent = 1,     // diff: the two sides differ; a verify found values the device holds otherwise
  kUsage = 2,         // a bad call or argument; nothing was sent
  kNoAnswer = 3,      // the device did not answer (or the line failed under an exchange)
  kRefused = 4,       // the device refused a value ("er 7") or did not take the parameters over
  kBadFile = 5,       // a file that cannot be read, is malformed or cannot be written
  kPortFailure = 6,   // the port cannot be opened
  kNotTheAnswer = 7,  // a reply that is not the answer to its command, after the one resend
  kInterrupted = 130, // stopped by Ctrl-C
};

// The outcome of one job: its status and, unless it is done, one line that
// says why.
struct JobOutcome {
  int status = kDone;
  std::string message;
  bool Done() const { return status == kDone; }
};

// With several units every unit is attempted; the run ends with the worst
// status of them all (the highest number).
inline int WorstStatus(int a, int b) { return a > b ? a : b; }
