// Calibration: mode, output function and level, and the calibration words
// (a working copy that "ks" stores in EEPROM).
#include "SimDevice.h"

namespace CA = CalibrationAddress;

namespace {

constexpr std::int64_t DriveLimit = 100000;

bool ValidAddress(std::int64_t address) { return address >= CA::First && address <= CA::Last; }

// One whole-number argument, or none when the command has the wrong count.
std::optional<std::int64_t> SingleNumber(const DeviceCommand& command) {
  if (command.arguments.size() != 1) return std::nullopt;
  return command.Number(0);
}

}  // namespace

std::string SimDevice::CalibrationMode(const DeviceCommand& command, SimTime) {
  auto on = SingleNumber(command);
  if (!on) return ErrorReply(DeviceErrorReply::BadSyntax);
  if (*on != 0 && *on != 1) return ErrorReply(DeviceErrorReply::Refused);
  calibrationMode_ = *on == 1;
  outputFunction_ = 0;
  driveValue_ = 0;
  return Reply("km", *on);
}

std::string SimDevice::OutputFunction(const DeviceCommand& command, SimTime) {
  auto function = SingleNumber(command);
  if (!function) return ErrorReply(DeviceErrorReply::BadSyntax);
  if (*function < 0 || *function > 2) return ErrorReply(DeviceErrorReply::Refused);
  outputFunction_ = static_cast<int>(*function);
  return Reply("kf", *function);
}

std::string SimDevice::DriveOutput(const DeviceCommand& command, SimTime) {
  auto value = SingleNumber(command);
  if (!value) return ErrorReply(DeviceErrorReply::BadSyntax);
  if (*value < -DriveLimit || *value > DriveLimit) return ErrorReply(DeviceErrorReply::Refused);
  driveValue_ = *value;
  return Reply("ka", *value);
}

std::string SimDevice::ReadWord(const DeviceCommand& command, SimTime) {
  auto address = SingleNumber(command);
  if (!address) return ErrorReply(DeviceErrorReply::BadSyntax);
  if (!ValidAddress(*address)) return ErrorReply(DeviceErrorReply::Refused);
  return "kr " + std::to_string(*address) + " " + std::to_string(words_[*address - CA::First]);
}

std::string SimDevice::WriteWord(const DeviceCommand& command, SimTime) {
  if (command.arguments.size() != 2 || !command.Number(0) || !command.Number(1))
    return ErrorReply(DeviceErrorReply::BadSyntax);
  std::int64_t address = *command.Number(0);
  std::int64_t value = *command.Number(1);
  if (!ValidAddress(address) || value < CA::WordMinimum || value > CA::WordMaximum)
    return ErrorReply(DeviceErrorReply::Refused);
  words_[address - CA::First] = static_cast<std::int32_t>(value);
  return "kw " + std::to_string(address) + " " + std::to_string(value);
}

std::string SimDevice::StoreWords(const DeviceCommand& command, SimTime) {
  if (!command.arguments.empty()) return ErrorReply(DeviceErrorReply::BadSyntax);
  if (memory_.eeprom != words_) {
    memory_.eeprom = words_;
    MemoryChanged();
  }
  return Reply("ks", -1);
}
