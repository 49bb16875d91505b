// diff: two sets of values side by side (the device, the catalogue defaults
// or a file), row by row as the compare window shows them. Files are read
// and checked whole before the line is opened; a read of the device that
// fails half-way compares nothing.
#include "cli/Commands.h"
#include "cli/ComparisonOutput.h"
#include "cli/UnitRun.h"
#include "model/ParameterNumbers.h"

namespace {

constexpr const char* kDevice = "device";
constexpr const char* kDefaults = "defaults";

// A side that is not the device, or none with the reason said.
std::optional<CompareSide> FixedSide(const std::string& operand) {
  if (operand == kDefaults) {
    if (GlobalVar().CatalogueLoaded) return DefaultsSide(GlobalVar().ParameterCatalogue);
    CliOutput::Message("diff defaults needs the catalogue (Parameters.txt beside the program)");
    return std::nullopt;
  }
  CompareFileRead read = LoadCompareFile(operand);
  if (read.Loaded()) return std::move(read.side);
  CliOutput::Message(FileProblem(operand, read) + "; nothing was compared");
  return std::nullopt;
}

// The reads that give the device's side against `other`: what the other
// holds, and parameter 203 for the decimals of setpoints.
std::vector<TransferStep> DeviceReads(const CompareSide& other) {
  if (other.parameters && other.setpoints) return TransferSteps(kTransferWholeDevice, false);
  if (other.parameters) return TransferSteps(kTransferParameters, false);
  std::vector<TransferStep> steps = TransferSteps(kTransferSetpoints, false);
  steps.push_back({TransferPhase::Parameters, ParameterNumber::DecimalsOfPositions});
  return steps;
}

std::string UnitText(const std::optional<int>& unit) { return unit ? "unit " + std::to_string(*unit) : "no unit"; }

JobOutcome Report(const Comparison& comparison, const CompareSide& a, const CompareSide& b, const CliCall& call,
                  const CliOutput& out, Json& result) {
  result.update(ComparisonJson(comparison, call.all));
  if (comparison.otherUnit) {
    result["unit_a"] = *a.unit;
    result["unit_b"] = *b.unit;
    CliOutput::Message("note: A holds the values of " + UnitText(a.unit) + ", B those of " + UnitText(b.unit));
  }
  PrintComparison(comparison, call.all, out, call.operands[0], call.operands[1]);
  if (comparison.different == 0) return {};
  return {kDifferent, std::to_string(comparison.different) + " of " + std::to_string(comparison.compared) +
                          " values differ"};
}

}  // namespace

int RunDiff(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  const std::string& first = call.operands[0];
  const std::string& second = call.operands[1];
  const bool deviceFirst = first == kDevice;
  const std::optional<CompareSide> a = deviceFirst ? std::optional<CompareSide>() : FixedSide(first);
  if (!deviceFirst && !a) return kBadFile;
  const bool deviceSecond = second == kDevice;
  const std::optional<CompareSide> b = deviceSecond ? std::optional<CompareSide>() : FixedSide(second);
  if (!deviceSecond && !b) return kBadFile;
  const EditorCatalogues catalogues = CliCatalogues(call.global.language);

  if (!deviceFirst && !deviceSecond) {
    Json result;
    const JobOutcome outcome = Report(Compare(*a, *b, catalogues), *a, *b, call, out, result);
    if (!outcome.Done()) CliOutput::Message(outcome.message);
    result["status"] = outcome.status;
    out.AddUnit(std::move(result));
    out.Finish(outcome.status, false);
    return outcome.status;
  }
  const CompareSide& other = deviceFirst ? *b : *a;
  const bool many = !call.global.units.empty();
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    CompareSide device;
    device.source = CompareSource::Device;
    device.setpoints = other.setpoints;
    device.unit = unit.unit;
    device.deviceType = unit.type;
    const JobOutcome read = ReadValues(line, unit.unit, DeviceReads(other), device.content, call.global.quiet);
    if (!read.Done()) return read;
    if (many) out.Line("unit " + std::to_string(unit.unit));
    const CompareSide& sideA = deviceFirst ? device : other;
    const CompareSide& sideB = deviceFirst ? other : device;
    return Report(Compare(sideA, sideB, catalogues), sideA, sideB, call, out, result);
  });
}
