// Identification, live values and the error number.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "AnalogModel.h"
#include "SimDevice.h"

using namespace ParameterRoles;
namespace CA = CalibrationAddress;

namespace {

constexpr const char* FirmwareVersion = "V2.14";

std::int64_t ToLine(double value) {
  return std::clamp<std::int64_t>(std::llround(value), INT32_MIN, INT32_MAX);
}

}  // namespace

std::string SimDevice::Select(const DeviceCommand&, SimTime) { return Reply("sc", unitNumber_); }

std::string SimDevice::ReadType(const DeviceCommand&, SimTime) {
  return "rt " + type_ + " " + FirmwareVersion;
}

std::string SimDevice::ReadHardware(const DeviceCommand&, SimTime) {
  std::string text = "rh " + type_ + "-3 PCB 4471 rev C";
  // The long form lists the fitted options, as some firmware builds do; it
  // makes the reply longer than the 100 bytes the tool keeps of it.
  if (longIdentification_)
    text += " options: RS232/RS422/RS485, SSI 8-32 bit binary/Gray, 4 outputs 24 V 0.5 A, 2 inputs 24 V, "
            "analog out 0-10 V / 4-20 mA, analog in 0-10 V / 0-20 mA";
  return text;
}

std::string SimDevice::ReadSerial(const DeviceCommand&, SimTime) {
  char text[40];
  std::snprintf(text, sizeof text, "rx SN 2211-%02d-0417", unitNumber_);
  return text;
}

std::string SimDevice::ReadLive(const DeviceCommand& command, SimTime) {
  if (!command.arguments.empty()) return ErrorReply(DeviceErrorReply::BadSyntax);
  return Reply(command.code, LiveValue(command.code[1]));
}

std::int64_t SimDevice::LiveValue(char which) {
  switch (which) {
    case '0': return ToLine(sample_.position);
    case '1': return ToLine(sample_.velocityShown);
    case '8': return ToLine(sample_.linearised);
    case 'a': return active()[PeakHold1On] ? ToLine(peaks_.Value(0)) : 0;
    case 'b': return active()[PeakHold2On] ? ToLine(peaks_.Value(1)) : 0;
    case '2': return AnalogOutputVoltage();
    case '3': return AnalogOutputCurrent();
    case '4':
      if (active()[AnalogInMode] != 0) return 0;
      return AnalogModel::AdcReading(AnalogInputRaw(), AnalogModel::VoltFullScale, words_, CA::InVoltageOffset,
                                     CA::InVoltageGainNegative, CA::InVoltageGainPositive);
    case '5':
      if (active()[AnalogInMode] != 1) return 0;
      return AnalogModel::AdcReading(AnalogInputRaw(), AnalogModel::MilliampFullScale, words_, CA::InCurrentOffset,
                                     CA::InCurrentGainNegative, CA::InCurrentGainPositive);
    case '6': return AnalogInputRaw();
    case 'i': return (inputs_[0] ? 1 : 0) | (inputs_[1] ? 2 : 0);
    case 'u': return outputs_;
    default: return 0;
  }
}

double SimDevice::AnalogSource() const {
  switch (active()[AnalogOutSource]) {
    case 1: return sample_.linearised;
    case 2: return sample_.velocityShown;
    case 3: return peaks_.Value(0);
    case 4: return peaks_.Value(1);
    default: return sample_.position;
  }
}

// Where the output stands on its scale in normal operation; on an error the
// output goes to zero, to the range's minimum or maximum, or holds (238).
std::optional<double> SimDevice::NormalOutputFraction() {
  if (CurrentError() == DeviceErrorNumber::None) {
    heldFraction_ = AnalogModel::ScaleFraction(AnalogSource(), active());
    return heldFraction_;
  }
  switch (active()[AnalogOutOnError]) {
    case 1: return 0.0;
    case 2: return 1.0;
    case 3: return heldFraction_;
    default: return std::nullopt;
  }
}

// In calibration mode the output follows "kf" and "ka"; otherwise the
// source of parameter 232 on the scale of 235/236, in the mode of 231.
std::int64_t SimDevice::AnalogOutputVoltage() {
  std::int64_t demand = 0;
  if (calibrationMode_) {
    if (outputFunction_ != 1) return 0;
    demand = driveValue_;
  } else {
    if (active()[AnalogOutMode] != 1) return 0;
    auto fraction = NormalOutputFraction();
    demand = fraction ? AnalogModel::VoltageDemand(*fraction, active()) : 0;
  }
  return AnalogModel::DacOutput(demand, AnalogModel::VoltFullScale, words_, CA::OutVoltageOffset,
                                CA::OutVoltageGainNegative, CA::OutVoltageGainPositive);
}

// "ka" for the current output counts 0.2 uA (the tool halves its value).
std::int64_t SimDevice::AnalogOutputCurrent() {
  std::int64_t demand = 0;
  if (calibrationMode_) {
    if (outputFunction_ != 2) return 0;
    demand = driveValue_ * 2;
  } else {
    if (active()[AnalogOutMode] != 2) return 0;
    auto fraction = NormalOutputFraction();
    demand = fraction ? AnalogModel::CurrentDemand(*fraction, active()) : 0;
  }
  return AnalogModel::DacOutput(demand, AnalogModel::MilliampFullScale, words_, CA::OutCurrentOffset,
                                CA::OutCurrentGainNegative, CA::OutCurrentGainPositive);
}

std::int32_t SimDevice::AnalogInputRaw() const {
  if (active()[AnalogInMode] == 1)
    return AnalogModel::AdcRaw(std::llround(analogInMilliamps_ * 10000), AnalogModel::MilliampFullScale);
  return AnalogModel::AdcRaw(std::llround(analogInVolts_ * 10000), AnalogModel::VoltFullScale);
}

std::string SimDevice::ReadError(const DeviceCommand&, SimTime) { return Reply("rf", CurrentError()); }

std::string SimDevice::ResetError(const DeviceCommand&, SimTime now) {
  latchedFault_ = DeviceErrorNumber::None;
  Update(now);
  return Reply("wf", CurrentError());
}
