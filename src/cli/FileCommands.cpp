// read, write, backup and restore: whole tables between a device and its
// files. A file is read and checked whole before anything is sent, and
// written to a temporary name and renamed into place.
#include <algorithm>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ComparisonOutput.h"
#include "cli/UnitRun.h"
#include "model/BackupFile.h"
#include "model/ParameterFile.h"
#include "model/ParameterGrid.h"
#include "model/ParameterNumbers.h"
#include "model/SetpointFile.h"
#include "platform/FileExtension.h"
#include "platform/Terminal.h"

namespace {

JobOutcome Saved(bool saved, const std::string& path, const std::string& error, Json& result) {
  if (!saved) return {kBadFile, "cannot write " + error};  // the error names the file
  result["file"] = path;
  return {};
}

std::string BackupProblem(const std::string& path, const BackupRead& read) {
  switch (read.outcome) {
    case BackupOutcome::Loaded: break;
    case BackupOutcome::CannotOpen: return "cannot read " + read.systemText;  // it names the file
    case BackupOutcome::WrongSize: return path + " is no VQ2x backup: a backup is exactly 16020 bytes";
    case BackupOutcome::WrongMarkers: return path + " is no VQ2x backup: its start or end markers are wrong";
  }
  return {};
}

// The steps of a write of only what the device holds otherwise: the file's
// values compared with the device's, read now. No step when nothing
// differs; none either, with the outcome saying why, when the read failed.
JobOutcome ChangedSteps(DeviceLine& line, const UnitIdentity& unit, const CompareSide& file, const CliCall& call,
                        const CliOutput& out, Json& result, std::vector<TransferStep>& steps) {
  CompareSide device;
  device.source = CompareSource::Device;
  device.setpoints = file.setpoints;
  device.unit = unit.unit;
  std::vector<TransferStep> reads = TransferSteps(file.parameters ? kTransferParameters : kTransferSetpoints, false);
  // Setpoints are shown with the decimals of parameter 203.
  if (!file.parameters) reads.push_back({TransferPhase::Parameters, ParameterNumber::DecimalsOfPositions});
  const JobOutcome read = ReadValues(line, unit.unit, std::move(reads), device.content, call.global.quiet);
  if (!read.Done()) return read;
  const Comparison comparison = Compare(file, device, CliCatalogues(call.global.language));
  result["changed"] = ComparisonJson(comparison, false, "file", "device");
  PrintComparison(comparison, false, out, "file", "device");
  steps = WriteStepsFor(DifferingItems(comparison), !call.noCompute);
  return {};
}

std::string OptionOf(int number, const DeviceContent& content, int language) {
  const ShownParameter shown = ShowParameter(GlobalVar().ParameterCatalogue, language, number,
                                             content.parameters[static_cast<std::size_t>(number)], content.parameters);
  return shown.Option.empty() ? shown.Value : shown.Option;
}

// What a restore does to the units' identity on the line, said before it
// is done: the file's unit number, baud rate and data format replace theirs,
// unless they are kept.
std::string RestoreQuestion(const std::string& path, const std::vector<int>& units, const DeviceContent& content,
                            int language, bool keepLineIdentity) {
  const int fileUnit = content.parameters[ParameterNumber::UnitNumber];
  std::string targets;
  for (int u : units) targets += (targets.empty() ? "" : ", ") + std::to_string(u);
  std::string question = "Restore " + path + " into unit " + targets + "? Every parameter and setpoint is overwritten.\n";
  const std::string line = OptionOf(ParameterNumber::LineBaudrate, content, language) + " bit/s, " +
                           OptionOf(ParameterNumber::LineDataFormat, content, language);
  if (keepLineIdentity)
    question += "The file is unit " + std::to_string(fileUnit) + "'s; the unit keeps its own number and line " +
                "settings (parameters 0, 1 and 2 are not written).\n";
  else if (units.size() == 1 && units.front() == fileUnit)
    question += "The unit keeps its number " + std::to_string(fileUnit) + " and takes the file's line settings (" +
                line + ").\n";
  else
    question += "The file is unit " + std::to_string(fileUnit) + "'s: afterwards the device answers as unit " +
                std::to_string(fileUnit) + ", at the file's line settings (" + line + "), not as unit " + targets +
                ".\n";
  return question + "Go on? [y/N] ";
}

bool Confirmed(const std::string& question) {
  std::cerr << question << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  std::transform(answer.begin(), answer.end(), answer.begin(), [](unsigned char c) { return std::tolower(c); });
  return answer == "y" || answer == "yes";
}

}  // namespace

int RunRead(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  const std::string ext = FileExtension(call.output);
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    std::vector<TransferStep> steps =
        TransferSteps(ext == "vqp" ? kTransferParameters : ext == "vqs" ? kTransferSetpoints : kTransferWholeDevice,
                      false);
    // A setpoint file carries parameter 315 in its first value line.
    if (ext == "vqs") steps.push_back({TransferPhase::Parameters, ParameterNumber::SetpointFileExtra});
    DeviceContent content;
    const JobOutcome read = ReadValues(line, unit.unit, std::move(steps), content, call.global.quiet);
    if (!read.Done()) return read;
    const std::string path = FileFor(call.output, unit);
    std::string error;
    const bool saved = ext == "vqp"   ? SaveParameterFile(path, content.parameters, unit.unit, &error)
                       : ext == "vqs" ? SaveSetpointFile(path, content.setpoints, content.parameters, unit.unit, &error)
                                      : SaveBackupFile(path, content, &error);
    const JobOutcome outcome = Saved(saved, path, error, result);
    if (outcome.Done()) out.Line("unit " + std::to_string(unit.unit) + ": " + path);
    return outcome;
  });
}

int RunBackup(const CliCall& call, const ToolSettings& settings, CliOutput& out) { return RunRead(call, settings, out); }

int RunWrite(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  const std::string& path = call.operands.front();
  const CompareFileRead file = LoadCompareFile(path);
  if (!file.Loaded()) {
    CliOutput::Message(FileProblem(path, file) + "; nothing was sent");
    return kBadFile;
  }
  const int mode = file.side.parameters ? kTransferParameters : kTransferSetpoints;
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    const std::string who = "unit " + std::to_string(unit.unit) + ": ";
    std::vector<TransferStep> steps = TransferSteps(mode, true);
    if (call.noCompute && steps.back().phase == TransferPhase::Computing) steps.pop_back();
    if (call.changedOnly) {
      if (const JobOutcome read = ChangedSteps(line, unit, file.side, call, out, result, steps); !read.Done())
        return read;
      if (steps.empty()) {
        out.Line(who + "the device holds every value of " + path + " already; nothing was written");
        return JobOutcome{};
      }
    }
    const JobOutcome written = WriteChecked(line, unit.unit, steps, file.side.content, call, out, result);
    if (!written.Done()) return written;
    result["file"] = path;
    out.Line(who + path + " written" + (call.verify ? " and verified" : ""));
    return JobOutcome{};
  });
}

int RunRestore(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  const std::string& path = call.operands.front();
  const BackupRead read = LoadBackupFile(path);
  if (!read.Loaded()) {
    CliOutput::Message(BackupProblem(path, read) + "; nothing was sent");
    return kBadFile;
  }
  if (!call.yes) {
    if (!IsTerminal(TerminalStream::Input)) {
      CliOutput::Message("restore asks before it overwrites a device: run it on a terminal, or give --yes");
      return kUsage;
    }
    if (!Confirmed(RestoreQuestion(path, UnitsOf(call, settings), read.content, call.global.language,
                                   call.keepLineIdentity))) {
      CliOutput::Message("nothing was restored");
      return kDone;
    }
  }
  std::vector<TransferStep> steps = TransferSteps(kTransferWholeDevice, true);
  if (call.keepLineIdentity) steps = KeepingLineIdentity(std::move(steps));
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    const JobOutcome written = WriteChecked(line, unit.unit, steps, read.content, call, out, result);
    if (!written.Done()) return written;
    result["file"] = path;
    out.Line("unit " + std::to_string(unit.unit) + ": " + path + " restored" + (call.verify ? " and verified" : ""));
    return JobOutcome{};
  });
}
