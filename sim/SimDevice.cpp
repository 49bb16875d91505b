#include "SimDevice.h"

#include <map>

using namespace ParameterRoles;

std::string Reply(const std::string& code, std::int64_t value) { return code + " " + std::to_string(value); }

std::string ErrorReply(int code) { return Reply("er", code); }

SimDevice::SimDevice(const SimDeviceSetup& setup, const DeviceMemory& memory, SimTime start)
    : unitNumber_(setup.unitNumber),
      type_(setup.type),
      limits_(setup.limits),
      memory_(memory),
      axis_(setup.motion, start),
      words_(memory.eeprom),
      analogInVolts_(setup.analogInVolts),
      analogInMilliamps_(setup.analogInMilliamps) {
  Update(start);
}

std::optional<SimDevice::Handler> SimDevice::FindHandler(const std::string& code) {
  static const std::map<std::string, Handler> handlers = {
      {"sc", &SimDevice::Select},         {"rt", &SimDevice::ReadType},
      {"rh", &SimDevice::ReadHardware},   {"rx", &SimDevice::ReadSerial},
      {"r0", &SimDevice::ReadLive},       {"r1", &SimDevice::ReadLive},
      {"r2", &SimDevice::ReadLive},       {"r3", &SimDevice::ReadLive},
      {"r4", &SimDevice::ReadLive},       {"r5", &SimDevice::ReadLive},
      {"r6", &SimDevice::ReadLive},       {"r8", &SimDevice::ReadLive},
      {"ra", &SimDevice::ReadLive},       {"rb", &SimDevice::ReadLive},
      {"ri", &SimDevice::ReadLive},       {"ru", &SimDevice::ReadLive},
      {"rf", &SimDevice::ReadError},      {"wf", &SimDevice::ResetError},
      {"rp", &SimDevice::ReadParameter},  {"wp", &SimDevice::WriteParameter},
      {"rs", &SimDevice::ReadSetpoint},   {"ws", &SimDevice::WriteSetpoint},
      {"bp", &SimDevice::Compute},        {"km", &SimDevice::CalibrationMode},
      {"kf", &SimDevice::OutputFunction}, {"ka", &SimDevice::DriveOutput},
      {"kr", &SimDevice::ReadWord},       {"kw", &SimDevice::WriteWord},
      {"ks", &SimDevice::StoreWords},
  };
  auto found = handlers.find(code);
  if (found == handlers.end()) return std::nullopt;
  return found->second;
}

std::string SimDevice::Execute(const DeviceCommand& command, SimTime now) {
  auto handler = FindHandler(command.code);
  if (!handler) return ErrorReply(DeviceErrorReply::UnknownCommand);
  Update(now);
  return (this->**handler)(command, now);
}

// Brings the axis, the error state and the outputs up to now.
void SimDevice::Update(SimTime now) {
  if (latchedFault_ == DeviceErrorNumber::None) {
    frozen_.reset();
    sample_ = axis_.SampleAt(active(), now);
    axis_.UpdatePeaks(active(), now);
  } else {
    if (!frozen_) frozen_ = sample_;
    sample_ = *frozen_;
    sample_.velocityPerSecond = sample_.velocityShown = 0;
    axis_.SkipPeaksTo(now);
  }
  CamInputs inputs{sample_.position, sample_.velocityPerSecond, sample_.velocityShown, sample_.linearised};
  unsigned camBits = cams_.Evaluate(active(), memory_.setpoints, inputs, now);
  outputs_ = ApplyOutputFunctions(camBits, CurrentError());
}

unsigned SimDevice::ApplyOutputFunctions(unsigned camBits, int errorNumber) const {
  bool enabled = true;
  for (int input = 0; input < InputCount; ++input)
    if (active()[InputFunctionFirst + input] == InputEnableOutputs && !inputs_[input]) enabled = false;
  if (!enabled) camBits = 0;
  unsigned bits = 0;
  for (int output = 0; output < OutputCount; ++output) {
    bool cam = (camBits >> output) & 1u;
    bool on = false;
    switch (active()[OutputFunctionFirst + output]) {
      case OutputCams:
        on = cam;
        break;
      case OutputCamsInverted:
        on = enabled && !cam;
        break;
      case OutputError:
        on = errorNumber != DeviceErrorNumber::None;
        break;
      default:
        break;
    }
    if (on) bits |= 1u << output;
  }
  return bits;
}

int SimDevice::ErrorNumber(SimTime now) {
  Update(now);
  return CurrentError();
}

int SimDevice::CurrentError() const {
  if (latchedFault_ != DeviceErrorNumber::None) return latchedFault_;
  if (sample_.position < active()[RangeMinimum] || sample_.position > active()[RangeMaximum])
    return DeviceErrorNumber::OutsideMeasuringRange;
  return DeviceErrorNumber::None;
}

unsigned SimDevice::Outputs(SimTime now) {
  Update(now);
  return outputs_;
}

AxisSample SimDevice::Sample(SimTime now) {
  Update(now);
  return sample_;
}

void SimDevice::SetInput(int input, bool on, SimTime now) {
  if (input < 1 || input > InputCount) return;
  Update(now);
  bool rising = on && !inputs_[input - 1];
  inputs_[input - 1] = on;
  if (rising) {
    int function = active()[InputFunctionFirst + input - 1];
    if (function == InputResetPeaks) axis_.ResetPeaks(active(), now);
    if (function == InputResetError) latchedFault_ = DeviceErrorNumber::None;
  }
  Update(now);
}

void SimDevice::InjectSsiFault(int errorNumber, SimTime now) {
  Update(now);
  latchedFault_ = errorNumber;
  Update(now);
}

void SimDevice::SetAnalogInput(double volts, double milliamps) {
  analogInVolts_ = volts;
  analogInMilliamps_ = milliamps;
}
