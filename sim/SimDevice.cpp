#include "SimDevice.h"

#include <cmath>
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

// Brings the axis, the inputs, the error state and the outputs up to now.
void SimDevice::Update(SimTime now) {
  bool ssiError = latchedFault_ != DeviceErrorNumber::None;
  if (!ssiError) {
    frozen_.reset();
    sample_ = axis_.SampleAt(active(), now);
  }
  HandleInputEdges(now);
  ssiError = latchedFault_ != DeviceErrorNumber::None;
  if (ssiError) {
    if (!frozen_) frozen_ = sample_;
    sample_ = *frozen_;
    sample_.velocityPerSecond = sample_.velocityShown = 0;
    peaks_.Skip(now);
  } else {
    sample_ = axis_.SampleAt(active(), now);
    peaks_.Update(axis_, active(), sample_, now);
  }
  CamInputs inputs{sample_.position, sample_.velocityPerSecond, sample_.velocityShown, sample_.linearised,
                   {InputActive(0), InputActive(1)}, ssiError};
  outputs_ = OutputStage(cams_.Evaluate(active(), memory_.setpoints, inputs, now));
}

bool SimDevice::InputActive(int index) const { return inputs_[index] != (active()[InputLogicFirst + index] == 1); }

bool SimDevice::OutputsLocked() const {
  for (int index = 0; index < InputCount; ++index)
    if (active()[InputFunctionFirst + index] == InputLockOutputs && InputActive(index)) return true;
  return false;
}

// An input function acts when its input becomes active.
void SimDevice::HandleInputEdges(SimTime now) {
  for (int index = 0; index < InputCount; ++index) {
    bool activeNow = InputActive(index);
    if (activeNow && !inputWasActive_[index]) RunInputFunction(active()[InputFunctionFirst + index], now);
    inputWasActive_[index] = activeNow;
  }
}

void SimDevice::RunInputFunction(int function, SimTime now) {
  switch (function) {
    case InputResetSsiError:
    case InputClearErrors:
      latchedFault_ = DeviceErrorNumber::None;
      break;
    case InputPresetPosition:
      axis_.Preset(active(), now);
      sample_ = axis_.SampleAt(active(), now);
      break;
    case InputResetPeak1:
    case InputResetPeak2:
    case InputResetPeaks:
      if (function != InputResetPeak2) peaks_.Reset(0, sample_, active());
      if (function != InputResetPeak1) peaks_.Reset(1, sample_, active());
      break;
    default:
      break;
  }
}

int SimDevice::CurrentError() const {
  if (latchedFault_ != DeviceErrorNumber::None) return latchedFault_;
  if (sample_.position < active()[RangeStart] || sample_.position > active()[RangeEnd])
    return DeviceErrorNumber::OutsideMeasuringRange;
  return DeviceErrorNumber::None;
}

bool SimDevice::OutputFunctionState(int function, unsigned camBit) const {
  int error = CurrentError();
  switch (function) {
    case OutputCams: return camBit != 0;
    case OutputErrorMessage: return error != DeviceErrorNumber::None;
    case OutputSsiError: return error == DeviceErrorNumber::SsiNoSignal || error == DeviceErrorNumber::SsiDataError;
    case OutputOutsideRange: return error == DeviceErrorNumber::OutsideMeasuringRange;
    case OutputStandstill: return std::fabs(sample_.velocityShown) < active()[StandstillThreshold];
    case OutputDirectionForward: return sample_.velocityPerSecond > 0;
    default: return false;
  }
}

// Function (252..), behaviour on error (106..), lock input, manual mode
// (132..), and normally-closed logic (98..), in that order.
unsigned SimDevice::OutputStage(unsigned camBits) {
  bool error = CurrentError() != DeviceErrorNumber::None;
  bool locked = OutputsLocked();
  unsigned logical = 0, terminals = 0;
  for (int output = 0; output < OutputCount; ++output) {
    unsigned bit = 1u << output;
    bool previous = (logicalOutputs_ & bit) != 0;
    bool on = OutputFunctionState(active()[OutputFunctionFirst + output], camBits & bit);
    if (error) {
      int onError = active()[OutputOnErrorFirst + output];
      if (onError == 0) on = false;
      if (onError == 1) on = true;
      if (onError == 2) on = previous;
    }
    if (locked) on = previous;
    int manual = active()[OutputManualFirst + output];
    if (manual == 1) on = false;
    if (manual == 2) on = true;
    if (on) logical |= bit;
    if (on != (active()[OutputLogicFirst + output] == 1)) terminals |= bit;
  }
  logicalOutputs_ = logical;
  return terminals;
}

int SimDevice::ErrorNumber(SimTime now) {
  Update(now);
  return CurrentError();
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
  inputs_[input - 1] = on;
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
