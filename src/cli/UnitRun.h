#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/CliCall.h"
#include "cli/CliOutput.h"
#include "cli/DeviceLine.h"
#include "cli/ExitStatus.h"
#include "model/ValueTransfer.h"

// What a job knows of the unit it runs on: its number and the texts it
// answered "rt", "rh" and "rx" with.
struct UnitIdentity {
  int unit = 0;
  std::string type, hardware, serial;
};

// The file a job writes for a unit: {unit} and {serial} (the "rx" text,
// letters, digits, "-" and "_" kept, anything else "_") filled in.
std::string FileFor(const std::string& pattern, const UnitIdentity& unit);

// A job on one unit: it adds its results to `result` (JSON mode) or prints
// them (text mode), and says how it ended.
using UnitJob = std::function<JobOutcome(DeviceLine& line, const UnitIdentity& unit, Json& result)>;

// The units a call is for: --units, else --unit, else the settings file's.
std::vector<int> UnitsOf(const CliCall& call, const ToolSettings& settings);

// Opens the line once, then for every unit in turn selects and identifies
// it as the tool does when it opens the port ("sc n", then "rt", "rh",
// "rx"), runs the job and reports its outcome. Every unit is attempted;
// returns the worst status.
int RunOnUnits(const CliCall& call, const ToolSettings& settings, CliOutput& out, const UnitJob& job);

// A read or write run on the line with progress; the outcome says how it
// ended, in words naming the command it ended at. With `heldOtherwise` a
// write reads back every value it wrote and lists there each the device
// holds otherwise; the outcome is then kDifferent.
JobOutcome ReadValues(DeviceLine& line, int unit, std::vector<TransferStep> steps, DeviceContent& received, bool quiet);
JobOutcome WriteValues(DeviceLine& line, int unit, std::vector<TransferStep> steps, const DeviceContent& send,
                       bool quiet, std::vector<HeldOtherwise>* heldOtherwise = nullptr);

// The outcome of an exchange that failed under `command`.
JobOutcome ExchangeFailure(const std::string& command, const TCommError& error);
JobOutcome Interruption();
