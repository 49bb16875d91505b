#include "ControlCommand.h"

#include <cstdlib>
#include <sstream>
#include <vector>

const char* const ControlCommandHelp =
    "  in 1 on|off|toggle, in 2 ...    switch input 1 or 2\n"
    "  fault ssi|data|clear            encoder fault: error 10, error 11, or clear it\n"
    "  analog-in VOLTS MILLIAMPS       signal at the analog input\n"
    "  long on|off                     \"rh\" answers with more than 100 bytes\n"
    "  silent N, garble N              the next N commands: no reply / garbled reply\n"
    "  delay MS, burst K GAP_MS, noise PER_MINUTE\n"
    "  status                          position, outputs and error number of each unit\n"
    "  unit N <command>                in, fault, analog-in, long, status for unit N only\n";

namespace {

std::vector<std::string> Words(std::string_view line) {
  std::istringstream stream{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

bool ToInt(const std::string& text, int* value) {
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed < 0 || parsed > 1000000) return false;
  *value = static_cast<int>(parsed);
  return true;
}

bool ToDouble(const std::string& text, double* value) {
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

std::vector<SimDevice*> Targets(LineBus& bus, int unitNumber) {
  std::vector<SimDevice*> devices;
  for (auto& unit : bus.units())
    if (unitNumber < 0 || unit.config.number == unitNumber) devices.push_back(unit.device.get());
  return devices;
}

std::string SwitchInput(const std::vector<std::string>& w, const std::vector<SimDevice*>& devices, SimTime now) {
  int input = 0;
  if (w.size() != 3 || !ToInt(w[1], &input) || input < 1 || input > 2) return "usage: in 1|2 on|off|toggle";
  if (w[2] != "on" && w[2] != "off" && w[2] != "toggle") return "usage: in 1|2 on|off|toggle";
  for (SimDevice* device : devices) {
    bool on = w[2] == "toggle" ? !device->Input(input) : w[2] == "on";
    device->SetInput(input, on, now);
  }
  return "input " + w[1] + " " + w[2];
}

std::string InjectFault(const std::vector<std::string>& w, const std::vector<SimDevice*>& devices, SimTime now) {
  int error = 0;
  if (w.size() == 2 && w[1] == "ssi") error = DeviceErrorNumber::SsiNoSignal;
  else if (w.size() == 2 && w[1] == "data") error = DeviceErrorNumber::SsiDataError;
  else if (w.size() == 2 && w[1] == "clear") error = DeviceErrorNumber::None;
  else return "usage: fault ssi|data|clear";
  for (SimDevice* device : devices) device->InjectSsiFault(error, now);
  return "fault " + w[1];
}

std::string UnitCommand(const std::vector<std::string>& w, const std::vector<SimDevice*>& devices, SimTime now) {
  if (w[0] == "in") return SwitchInput(w, devices, now);
  if (w[0] == "fault") return InjectFault(w, devices, now);
  if (w[0] == "analog-in") {
    double volts = 0, milliamps = 0;
    if (w.size() != 3 || !ToDouble(w[1], &volts) || !ToDouble(w[2], &milliamps)) return "usage: analog-in VOLTS MILLIAMPS";
    for (SimDevice* device : devices) device->SetAnalogInput(volts, milliamps);
    return "analog input " + w[1] + " V, " + w[2] + " mA";
  }
  if (w[0] == "long") {
    if (w.size() != 2 || (w[1] != "on" && w[1] != "off")) return "usage: long on|off";
    for (SimDevice* device : devices) device->SetLongIdentification(w[1] == "on");
    return "long identification " + w[1];
  }
  std::ostringstream status;
  for (SimDevice* device : devices) {
    AxisSample sample = device->Sample(now);
    status << "unit " << device->unitNumber() << " " << device->type() << ": position "
           << static_cast<long long>(sample.position) << ", outputs " << device->Outputs(now) << ", error "
           << device->ErrorNumber(now) << "\n";
  }
  std::string text = status.str();
  if (!text.empty()) text.pop_back();
  return text;
}

std::string LineCommand(const std::vector<std::string>& w, LineServer& server, SimTime now) {
  FaultPlan& faults = server.faults();
  int a = 0, b = 0;
  double rate = 0;
  if (w[0] == "silent" && w.size() == 2 && ToInt(w[1], &a)) {
    faults.silentCommands = a;
  } else if (w[0] == "garble" && w.size() == 2 && ToInt(w[1], &a)) {
    faults.garbledCommands = a;
  } else if (w[0] == "delay" && w.size() == 2 && ToInt(w[1], &a)) {
    faults.replyDelayMs = a;
  } else if (w[0] == "burst" && w.size() == 3 && ToInt(w[1], &a) && ToInt(w[2], &b)) {
    faults.burstSize = a;
    faults.burstGapMs = b;
  } else if (w[0] == "noise" && w.size() == 2 && ToDouble(w[1], &rate) && rate >= 0) {
    server.SetNoise(rate, now);
  } else {
    return "usage: " + w[0] + (w[0] == "burst" ? " K GAP_MS" : " N");
  }
  return "ok: " + w[0];
}

bool IsUnitCommand(const std::string& word) {
  return word == "in" || word == "fault" || word == "analog-in" || word == "long" || word == "status";
}

bool IsLineCommand(const std::string& word) {
  return word == "silent" || word == "garble" || word == "delay" || word == "burst" || word == "noise";
}

}  // namespace

std::string RunControlCommand(std::string_view line, LineBus& bus, LineServer& server, SimTime now) {
  std::vector<std::string> w = Words(line);
  if (w.empty() || w[0][0] == '#') return {};
  int unitNumber = -1;
  if (w[0] == "unit") {
    if (w.size() < 3 || !ToInt(w[1], &unitNumber) || !bus.Find(unitNumber)) return "no such unit";
    w.erase(w.begin(), w.begin() + 2);
    if (!IsUnitCommand(w[0])) return "unknown unit command: " + w[0];
  }
  if (IsUnitCommand(w[0])) return UnitCommand(w, Targets(bus, unitNumber), now);
  if (IsLineCommand(w[0])) return LineCommand(w, server, now);
  if (w[0] == "help") return ControlCommandHelp;
  return "unknown command: " + w[0] + " (try help)";
}
