#pragma once

#include "cli/CliCall.h"
#include "cli/CliOutput.h"
#include "model/Configuration.h"

// One function per command; each returns the exit status. The settings are
// the settings file's (port, line settings, unit, port mapping); the
// catalogue is loaded into the shared state before a command runs.
int RunPorts(const CliCall& call, CliOutput& out);
int RunScan(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunInfo(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunGet(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunSet(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunRead(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunWrite(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunBackup(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunRestore(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunWatch(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunSend(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunReport(const CliCall& call, const ToolSettings& settings, CliOutput& out);
int RunDiff(const CliCall& call, const ToolSettings& settings, CliOutput& out);
