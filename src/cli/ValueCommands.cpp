// get and set: single parameters, read or written by number, shown and
// typed as the parameter editor shows them.
#include <algorithm>
#include <cstdio>
#include <set>

#include "cli/Commands.h"
#include "cli/ComparisonOutput.h"
#include "cli/UnitRun.h"
#include "model/Catalogue.h"
#include "model/ParameterGrid.h"
#include "model/ParameterInput.h"
#include "model/ParameterNumbers.h"

namespace {

const IniDocument& TheCatalogue() { return GlobalVar().ParameterCatalogue; }

int Number(const std::string& text) { return std::stoi(text.substr(0, text.find('='))); }

constexpr int kDecimalsParameters[] = {ParameterNumber::DecimalsOfPositions,
                                       ParameterNumber::DecimalsOfLinearisation};

// The reads a set of parameters needs: themselves, and the parameters their
// decimals depend on, in ascending order.
std::vector<TransferStep> ReadStepsFor(const std::vector<int>& numbers) {
  std::set<int> wanted(numbers.begin(), numbers.end());
  for (int n : numbers)
    if (NeedsDecimalsParameters(TheCatalogue(), n)) wanted.insert(std::begin(kDecimalsParameters), std::end(kDecimalsParameters));
  std::vector<TransferStep> steps;
  for (int n : wanted) steps.push_back({TransferPhase::Parameters, n});
  return steps;
}

Json ParameterJson(int number, std::int32_t raw, const DeviceContent& content, int language) {
  const ShownParameter shown = ShowParameter(TheCatalogue(), language, number, raw, content.parameters);
  return Json{{"number", number}, {"name", shown.Name}, {"value", shown.Value}, {"raw", raw}, {"option", shown.Option}};
}

std::string ParameterLine(const Json& p) {
  char line[160];
  std::snprintf(line, sizeof line, "P%03d  %-32s %14s  %s", p["number"].get<int>(),
                p["name"].get<std::string>().c_str(), p["value"].get<std::string>().c_str(),
                p["option"].get<std::string>().c_str());
  std::string text = line;
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

struct SetItem {
  int number;
  std::string text;
};

std::vector<SetItem> SetItems(const CliCall& call) {
  std::vector<SetItem> items;
  for (const std::string& operand : call.operands)
    items.push_back({Number(operand), operand.substr(operand.find('=') + 1)});
  return items;
}

// Every value checked whole before the first write: a bad one names its
// parameter and the limits, and nothing is written.
JobOutcome CheckValues(const std::vector<SetItem>& items, const CliCall& call, DeviceContent& send) {
  for (const SetItem& item : items) {
    const ParameterInput input =
        ParseParameterInput(TheCatalogue(), call.global.language, item.number, item.text, call.raw, send.parameters);
    if (!input.value)
      return {kUsage, "parameter " + std::to_string(item.number) + " (" +
                          Catalogue::Name(TheCatalogue(), item.number, call.global.language) + "): " + input.why};
    send.parameters[static_cast<std::size_t>(item.number)] = *input.value;
  }
  return {};
}

}  // namespace

int RunGet(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  std::vector<int> numbers;
  if (call.all)
    for (int n = 0; n < kParameterCount; ++n) numbers.push_back(n);
  for (const std::string& operand : call.operands) numbers.push_back(Number(operand));
  const bool many = !call.global.units.empty();
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    DeviceContent content;
    std::vector<TransferStep> steps = call.all ? TransferSteps(kTransferParameters, false) : ReadStepsFor(numbers);
    const JobOutcome read = ReadValues(line, unit.unit, std::move(steps), content, call.global.quiet);
    if (!read.Done()) return read;
    if (many) out.Line("unit " + std::to_string(unit.unit));
    Json rows = Json::array();
    for (int n : numbers) {
      rows.push_back(ParameterJson(n, content.parameters[static_cast<std::size_t>(n)], content, call.global.language));
      out.Line(ParameterLine(rows.back()));
    }
    result["parameters"] = rows;
    return JobOutcome{};
  });
}

int RunSet(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  if (!GlobalVar().CatalogueLoaded) {
    CliOutput::Message("set needs the catalogue (Parameters.txt beside the program) to check the values");
    return kBadFile;
  }
  const std::vector<SetItem> items = SetItems(call);
  // Values whose decimals do not depend on the device are checked before
  // the port is even opened.
  std::vector<int> needDecimals;
  DeviceContent precheck;
  for (const SetItem& item : items) {
    if (!call.raw && NeedsDecimalsParameters(TheCatalogue(), item.number)) {
      needDecimals.push_back(item.number);
      continue;
    }
    if (const JobOutcome bad = CheckValues({item}, call, precheck); !bad.Done()) {
      CliOutput::Message(bad.message);
      return bad.status;
    }
  }
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    DeviceContent send;
    if (!needDecimals.empty()) {
      std::vector<TransferStep> steps;
      for (int n : kDecimalsParameters) steps.push_back({TransferPhase::Parameters, n});
      const JobOutcome read = ReadValues(line, unit.unit, steps, send, call.global.quiet);
      if (!read.Done()) return read;
    }
    if (const JobOutcome bad = CheckValues(items, call, send); !bad.Done()) return bad;
    std::vector<TransferStep> steps;
    for (const SetItem& item : items) steps.push_back({TransferPhase::Parameters, item.number});
    if (!call.noCompute) steps.push_back({TransferPhase::Computing, 0});
    const JobOutcome written = WriteChecked(line, unit.unit, steps, send, call, out, result);
    if (!written.Done()) return written;
    Json rows = Json::array();
    for (const SetItem& item : items) {
      rows.push_back(ParameterJson(item.number, send.parameters[static_cast<std::size_t>(item.number)], send,
                                   call.global.language));
      out.Line(ParameterLine(rows.back()) + "  written");
    }
    result["written"] = rows;
    result["computed"] = !call.noCompute;
    return JobOutcome{};
  });
}
