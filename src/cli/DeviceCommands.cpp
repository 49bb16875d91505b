// info, send and watch: the device's identification, one free command
// line, and live values sampled at an interval.
#include <chrono>
#include <cstdio>
#include <ctime>

#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/LiveColumns.h"
#include "cli/UnitRun.h"
#include "model/DeviceReply.h"
#include "model/LineCommand.h"
#include "model/LivePolling.h"
#include "model/ParameterNumbers.h"
#include "platform/LocalTime.h"

namespace {

// One exchange on its own component; the reply, or the outcome of its failure.
JobOutcome Exchange(DeviceLine& line, const std::string& command, int timeoutMs, ResultBytes& reply) {
  TQL200Protocol component;
  std::optional<JobOutcome> outcome;
  WireLineCommand(component, &line.Port(), timeoutMs,
                  [&](const ResultBytes& r) {
                    reply = r;
                    outcome = JobOutcome{};
                  },
                  [&](const TCommError& e) {
                    if (!e.IsSuccess()) outcome = ExchangeFailure(command, e);
                  });
  SendCommand(component, command);
  if (!line.RunUntil([&] { return outcome.has_value(); })) return Interruption();
  return *outcome;
}

std::string TimeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::tm local = LocalTime(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
  return text;
}

// The value a column shows, as on the main window's panels: "?" for a reply
// that does not echo its command.
std::string ColumnValue(const LiveColumn& column, const ResultBytes& reply, const DeviceContent& content) {
  if (column.quantity) return LiveReplyText(*column.quantity, reply, content.parameters);
  if (!EchoesCommand(reply, column.command)) return "?";
  if (std::string(column.command) == "rf") return ReplyValue(reply);
  return std::to_string(BitsOfReply(column.command, reply).value_or(0));
}

// A CSV field: quoted when it holds the separator (the decimal comma) or a quote.
std::string CsvField(const std::string& value) {
  if (value.find_first_of(",\"") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

int RunInfo(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  return RunOnUnits(call, settings, out, [&](DeviceLine&, const UnitIdentity& unit, Json& result) {
    result["type"] = unit.type;
    result["hardware"] = unit.hardware;
    result["serial"] = unit.serial;
    out.Line("unit " + std::to_string(unit.unit) + "\ttype " + unit.type + "\thardware " + unit.hardware +
             "\tserial " + unit.serial);
    return JobOutcome{};
  });
}

int RunSend(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  const std::string& command = call.operands.front();
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity&, Json& result) {
    ResultBytes reply;
    const JobOutcome outcome = Exchange(line, command, kTerminalReplyTimeoutMs, reply);
    if (!outcome.Done()) return outcome;
    std::string lines = ReplyLines(reply);
    while (!lines.empty() && (lines.back() == '\n' || lines.back() == '\r')) lines.pop_back();
    result["command"] = command;
    result["reply"] = lines;
    out.Line(lines);
    return JobOutcome{};
  });
}

int RunWatch(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  std::vector<const LiveColumn*> columns;
  for (const std::string& name : call.operands) columns.push_back(FindLiveColumn(name));
  if (columns.empty())
    for (const char* name : {"position", "velocity", "inputs", "outputs", "error"}) columns.push_back(FindLiveColumn(name));
  return RunOnUnits(call, settings, out, [&](DeviceLine& line, const UnitIdentity& unit, Json& result) {
    // Positions are shown with the decimals the device's parameters give.
    DeviceContent content;
    std::vector<TransferStep> decimals = {{TransferPhase::Parameters, ParameterNumber::DecimalsOfPositions},
                                          {TransferPhase::Parameters, ParameterNumber::DecimalsOfLinearisation}};
    if (const JobOutcome read = ReadValues(line, unit.unit, decimals, content, true); !read.Done()) return read;
    std::string header = "time";
    for (const LiveColumn* c : columns) header += std::string(",") + c->name;
    out.Line(header);
    Json rows = Json::array();
    const auto interval = std::chrono::milliseconds(call.intervalMs);
    auto next = std::chrono::steady_clock::now();
    for (long row = 0; !call.count || row < *call.count; ++row) {
      Json sample{{"time", TimeStamp()}};
      std::string text = sample["time"];
      for (const LiveColumn* c : columns) {
        ResultBytes reply;
        const JobOutcome exchanged = Exchange(line, LiveColumnCommand(*c), 0, reply);
        if (exchanged.status == kInterrupted) return JobOutcome{};
        const std::string value = exchanged.Done() ? ColumnValue(*c, reply, content) : "";
        sample[c->name] = value;
        text += "," + CsvField(value);
      }
      out.Line(text);
      rows.push_back(std::move(sample));
      next += interval;
      if (!line.RunUntil([&] { return std::chrono::steady_clock::now() >= next; })) break;
    }
    result["rows"] = rows;
    return JobOutcome{};
  });
}
