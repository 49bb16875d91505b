#include "cli/CliRun.h"

#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitStatus.h"
#include "cli/Interrupt.h"
#include "model/CatalogueFiles.h"
#include "model/Global_var.h"
#include "model/SettingsLocation.h"
#include "platform/ProgramFolder.h"

namespace {

// The settings file's settings: the one named by --config must be readable;
// without it, the tool's own is used when it is there (beside the program,
// or the user's copy for an installed program).
std::optional<ToolSettings> Settings(const GlobalOptions& options) {
  std::string path = options.config;
  if (path.empty()) {
    const SettingsLocation location = LocateSettingsFile(GlobalVar().ProgramDir);
    if (!location.warning.empty()) CliOutput::Message("settings: " + location.warning);
    path = location.path;
  }
  const SettingsReadResult read = ReadSettingsFile(path);
  if (read.file == SettingsFile::Read) return read.settings;
  if (options.config.empty() && read.file == SettingsFile::Missing) return DefaultSettings();
  CliOutput::Message("cannot read the settings file " + path +
                     (read.file == SettingsFile::Missing ? std::string(" (no such file)") : " (" + read.error + ")"));
  return std::nullopt;
}

int Dispatch(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  switch (call.command) {
    case CliCommand::Ports: return RunPorts(call, out);
    case CliCommand::Scan: return RunScan(call, settings, out);
    case CliCommand::Info: return RunInfo(call, settings, out);
    case CliCommand::Get: return RunGet(call, settings, out);
    case CliCommand::Set: return RunSet(call, settings, out);
    case CliCommand::Read: return RunRead(call, settings, out);
    case CliCommand::Write: return RunWrite(call, settings, out);
    case CliCommand::Backup: return RunBackup(call, settings, out);
    case CliCommand::Restore: return RunRestore(call, settings, out);
    case CliCommand::Watch: return RunWatch(call, settings, out);
    case CliCommand::Send: return RunSend(call, settings, out);
    case CliCommand::Report: return RunReport(call, settings, out);
    case CliCommand::Diff: return RunDiff(call, settings, out);
  }
  return kUsage;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments) {
  const ParsedCall parsed = ParseCommandLine(arguments);
  std::cout << parsed.out;
  std::cerr << parsed.err;
  if (!parsed.call) return parsed.status;
  const CliCall& call = *parsed.call;

  TGlobalVar& globals = GlobalVar();
  globals.ProgramDir = ProgramFolder();
  globals.LanguageIndex = call.global.language;
  const std::optional<ToolSettings> settings = Settings(call.global);
  if (!settings) return kBadFile;
  // Without the catalogue values are shown raw and without names.
  ParameterDef_lezen(globals);
  CatchInterrupt();
  CliOutput out(call.global.json);
  return Dispatch(call, *settings, out);
}
