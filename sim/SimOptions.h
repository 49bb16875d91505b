#pragma once

#include <optional>
#include <string>
#include <vector>

#include "FaultPlan.h"
#include "LineSettings.h"
#include "MotionProfile.h"
#include "UnitConfig.h"

struct SimOptions {
  bool usePty = false;
  std::string devicePath;
  LineSettings deviceLine;  // framing set on a real serial device
  std::vector<UnitConfig> units;
  std::string cataloguePath;
  std::string statePath;
  std::string logPath;
  std::string scriptPath;
  std::string replayPath;
  MotionProfile motion;
  double analogInVolts = 5.0;
  double analogInMilliamps = 12.0;
  FaultPlan faults;
  bool longIdentification = false;
  bool clampWrites = false;  // "wp" beyond a limit stores the limit and answers as if it took the value
  unsigned seed = 1;
  bool readStdin = true;
  bool showHelp = false;
  bool showVersion = false;
};

// Parses the command line (without the program name). No value, with
// *error set, for an unknown option, a missing or malformed value, a
// duplicate unit number, or neither / both of --pty and --device.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& arguments, std::string* error);

// The text of --help.
std::string SimUsage();
