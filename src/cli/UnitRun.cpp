#include "cli/UnitRun.h"

#include "model/DeviceIdentification.h"
#include "model/Global_var.h"

namespace {

std::string Quoted(const std::string& command) { return "\"" + command + "\""; }

// The serial text as a part of a file name: letters, digits, "-" and "_"
// kept, anything else "_".
std::string SafeName(const std::string& text) {
  std::string safe;
  for (unsigned char c : text) safe += std::isalnum(c) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
  return safe.empty() ? "unknown" : safe;
}

std::string Replace(std::string text, const std::string& field, const std::string& by) {
  for (std::size_t at = text.find(field); at != std::string::npos; at = text.find(field, at + by.size()))
    text.replace(at, field.size(), by);
  return text;
}

JobOutcome Identify(DeviceLine& line, UnitIdentity& identity) {
  DeviceIdentification identification(line.Port(), GlobalVar());
  std::optional<IdentificationEnd> end;
  identification.OnText = [&](int panel, const std::string& text) {
    (panel == 2 ? identity.type : panel == 3 ? identity.hardware : identity.serial) = text;
  };
  identification.OnForeignDevice = [&] {
    CliOutput::Message("unit " + std::to_string(identity.unit) + ": " + Quoted(identity.type) +
                       " is no VQ2x type (VQ20 .. VQ23); going on");
  };
  identification.OnEnded = [&](const IdentificationEnd& e) { end = e; };
  identification.Start(identity.unit);
  if (!line.RunUntil([&] { return end.has_value(); })) return Interruption();
  if (end->complete) return {};
  if (!end->error.IsSuccess()) return ExchangeFailure(end->command, end->error);
  return {kNotTheAnswer, "the reply to " + Quoted(end->command) + " is not its answer"};
}

JobOutcome TransferOutcome(const TransferEnd& end, bool write, const DeviceContent& send) {
  const std::string command = Quoted(TransferCommand(end.step, write, send));
  switch (end.kind) {
    case TransferEnd::Kind::Finished: return {};
    case TransferEnd::Kind::Differs:
      return {kDifferent, "the device holds " + std::to_string(end.heldOtherwise.size()) +
                              (end.heldOtherwise.size() == 1 ? " value" : " values") + " otherwise than written"};
    case TransferEnd::Kind::ComputeFailed:
      return {kRefused, "the device did not take the parameters over (\"bp " + end.computeCode + "\")"};
    case TransferEnd::Kind::Invalid:
      return {kNotTheAnswer, "\"" + end.replyStart + "...\" is not the answer to " + command + ", also when sent again"};
    case TransferEnd::Kind::Refused: return {kRefused, "the device refused " + command + " (er 7)"};
    case TransferEnd::Kind::TimedOut: return {kNoAnswer, "no reply to " + command + " within its time-out"};
    case TransferEnd::Kind::LineFault: return {kNoAnswer, "the line failed under " + command};
    case TransferEnd::Kind::Cancelled: return Interruption();
  }
  return {};
}

JobOutcome RunTransfer(DeviceLine& line, int unit, std::size_t steps, bool quiet, bool write,
                       const DeviceContent& send, const std::function<void(ValueTransfer&)>& start,
                       DeviceContent* received, std::vector<HeldOtherwise>* heldOtherwise = nullptr) {
  TQL200Protocol values, compute, readBack;
  SetUpLineCommand(values, &line.Port(), write ? kWriteReplyTimeoutMs : kReadReplyTimeoutMs);
  SetUpLineCommand(compute, &line.Port(), kComputeReplyTimeoutMs);
  SetUpLineCommand(readBack, &line.Port(), kReadReplyTimeoutMs);
  ValueTransfer transfer(values, &compute, &readBack);
  Progress progress(!quiet);
  std::size_t done = 0;
  transfer.Progress = [&](const TransferStep& step) {
    // A checked write reads its values back: twice as far to go.
    if (step.readBack && done == steps) steps += steps;
    progress.Show(unit, TransferCommand(step, write, send), done++, steps);
  };
  std::optional<TransferEnd> end;
  transfer.Ended = [&](const TransferEnd& e) { end = e; };
  start(transfer);
  if (!line.RunUntil([&] { return end.has_value(); })) return Interruption();
  progress.Clear();
  if (received) *received = transfer.Received();
  if (heldOtherwise) *heldOtherwise = end->heldOtherwise;
  return TransferOutcome(*end, write, send);
}

// The outcome into the unit's result, and its message on stderr (said once
// for the line when the port does not open).
void Report(int unit, const JobOutcome& outcome, bool say, Json& result) {
  result["status"] = outcome.status;
  if (outcome.Done()) return;
  result["error"] = outcome.message;
  if (say) CliOutput::Message("unit " + std::to_string(unit) + ": " + outcome.message);
}

}  // namespace

std::vector<int> UnitsOf(const CliCall& call, const ToolSettings& settings) {
  if (!call.global.units.empty()) return call.global.units;
  return {call.global.unit.value_or(settings.unitNo)};
}

int RunOnUnits(const CliCall& call, const ToolSettings& settings, CliOutput& out, const UnitJob& job) {
  DeviceLine line(settings, call.global);
  const std::vector<int> units = UnitsOf(call, settings);
  const bool many = !call.global.units.empty();
  const JobOutcome opened = line.Open();
  int worst = kDone;
  for (int unit : units) {
    Json result;
    result["unit"] = unit;
    JobOutcome outcome = opened;
    UnitIdentity identity{unit, {}, {}, {}};
    if (outcome.Done()) outcome = Identify(line, identity);
    if (outcome.Done()) outcome = job(line, identity, result);
    Report(unit, outcome, opened.Done() || unit == units.front(), result);
    out.AddUnit(std::move(result));
    worst = WorstStatus(worst, outcome.status);
    if (outcome.status == kInterrupted) break;
  }
  out.Finish(worst, many);
  return worst;
}

JobOutcome ReadValues(DeviceLine& line, int unit, std::vector<TransferStep> steps, DeviceContent& received, bool quiet) {
  const std::size_t count = steps.size();
  return RunTransfer(line, unit, count, quiet, false, {},
                     [&](ValueTransfer& t) { t.StartRead(std::move(steps)); }, &received);
}

JobOutcome WriteValues(DeviceLine& line, int unit, std::vector<TransferStep> steps, const DeviceContent& send,
                       bool quiet, std::vector<HeldOtherwise>* heldOtherwise) {
  const std::size_t count = steps.size();
  const bool verify = heldOtherwise != nullptr;
  return RunTransfer(
      line, unit, count, quiet, true, send,
      [&](ValueTransfer& t) { t.StartWrite(std::move(steps), send, verify); }, nullptr, heldOtherwise);
}

JobOutcome ExchangeFailure(const std::string& command, const TCommError& error) {
  if (error.Code == ceTimeout) return {kNoAnswer, "no reply to " + Quoted(command) + " within its time-out"};
  std::string message = "the line failed under " + Quoted(command) + " (code " + std::to_string(error.Code);
  if (error.SystemError != 0) message += ", " + SystemErrorText(static_cast<int>(error.SystemError));
  if (error.CommErrors != 0) message += ", line errors " + std::to_string(error.CommErrors);
  return {kNoAnswer, message + ")"};
}

JobOutcome Interruption() { return {kInterrupted, "stopped by Ctrl-C"}; }

std::string FileFor(const std::string& pattern, const UnitIdentity& unit) {
  return Replace(Replace(pattern, "{unit}", std::to_string(unit.unit)), "{serial}", SafeName(unit.serial));
}
