// scan: the device search of the search window, run to its end: every
// unit that answers is listed with its line settings and type texts.
#include "cli/Commands.h"
#include "cli/UnitRun.h"
#include "model/DeviceSearchRun.h"

namespace {

std::string FramingText(const SearchProbe& probe, TDataBit dataBits) {
  return std::to_string(DataBitsValue(dataBits)) + ParityLetter(probe.parity) +
         std::to_string(StopBitsValue(probe.stopBits));
}

}  // namespace

int RunScan(const CliCall& call, const ToolSettings& settings, CliOutput& out) {
  DeviceLine line(settings, call.global);
  TRkComm& port = line.Port();
  const SearchFraming kept{port.Baudrate(), port.FrameParitybit(), port.FrameStopbits()};
  DeviceSearchRun search(port);
  JobOutcome outcome;
  bool over = false;
  Json devices = Json::array();
  search.OpenPort = [&] {
    outcome = line.Open();
    return outcome.Done();
  };
  search.OnFound = [&](const SearchProbe& probe, const std::array<std::string, 3>& texts) {
    Json device{{"unit", probe.unit},   {"baud", BaudrateValue(probe.baudrate)},
                {"framing", FramingText(probe, port.FrameDatabits())},
                {"type", texts[0]},     {"hardware", texts[1]}, {"serial", texts[2]}};
    out.Line("unit " + std::to_string(probe.unit) + "\t" + std::to_string(BaudrateValue(probe.baudrate)) + " " +
             device["framing"].get<std::string>() + "\t" + JoinTypeTexts(texts[0], texts[1], texts[2]));
    devices.push_back(std::move(device));
    search.Continue();
  };
  search.OnFinished = [&] { over = true; };
  search.OnStopped = [&] { over = true; };
  search.OnSettingRefused = [&](const std::string& why) {
    outcome = {kPortFailure, "the port refused a line setting: " + why};
    over = true;
  };
  search.OnAborted = [&] {
    outcome = {kNoAnswer, "the port closed under the search"};
    over = true;
  };
  const bool automatic = call.allFramings;
  SearchStart start{call.bauds.empty() ? SearchRates(0) : call.bauds, automatic, automatic, kept.parity,
                    kept.stopBits};
  if (search.Start(start) && !line.RunUntil([&] { return over; })) outcome = Interruption();
  // Units left selected at other framings would answer the next user's
  // traffic with stray bytes.
  bool ended = !line.Port().Active();
  if (!ended) search.End(kept, [&] { ended = true; });
  line.RunUntil([&] { return ended; });
  if (!outcome.Done()) CliOutput::Message(outcome.message);
  out.AddUnit(Json{{"devices", devices}, {"status", outcome.status}});
  out.Finish(outcome.status, false);
  return outcome.status;
}
