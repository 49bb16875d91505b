// Parameters and setpoints: "wp" stores into the written set, "bp" checks it
// and takes it over as the set the device works with.
#include <algorithm>

#include "ConsistencyCheck.h"
#include "SimDevice.h"

using namespace ParameterRoles;

namespace {

bool ValidParameter(std::int64_t number) { return number >= 0 && number < Count; }
bool ValidSetpoint(std::int64_t number) { return number >= 1 && number <= SetpointCount; }

// One argument: the number; two: number and value. Anything else is a syntax error.
bool HasArguments(const DeviceCommand& command, std::size_t count) {
  if (command.arguments.size() != count) return false;
  for (std::size_t i = 0; i < count; ++i)
    if (!command.Number(i)) return false;
  return true;
}

}  // namespace

std::string SimDevice::ReadParameter(const DeviceCommand& command, SimTime) {
  if (!HasArguments(command, 1)) return ErrorReply(DeviceErrorReply::BadSyntax);
  std::int64_t number = *command.Number(0);
  if (!ValidParameter(number)) return ErrorReply(DeviceErrorReply::Refused);
  return "rp " + std::to_string(number) + " " + std::to_string(memory_.written[number]);
}

std::string SimDevice::WriteParameter(const DeviceCommand& command, SimTime) {
  if (!HasArguments(command, 2)) return ErrorReply(DeviceErrorReply::BadSyntax);
  std::int64_t number = *command.Number(0);
  std::int64_t value = *command.Number(1);
  if (!ValidParameter(number)) return ErrorReply(DeviceErrorReply::Refused);
  const ParameterLimit& limit = limits_[number];
  if (!limit.Accepts(value) && !clampWrites_) return ErrorReply(DeviceErrorReply::Refused);
  const auto stored = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, limit.minimum, limit.maximum));
  if (memory_.written[number] != stored) {
    memory_.written[number] = stored;
    MemoryChanged();
  }
  return "wp " + std::to_string(number) + " " + std::to_string(value);
}

std::string SimDevice::ReadSetpoint(const DeviceCommand& command, SimTime) {
  if (!HasArguments(command, 1)) return ErrorReply(DeviceErrorReply::BadSyntax);
  std::int64_t number = *command.Number(0);
  if (!ValidSetpoint(number)) return ErrorReply(DeviceErrorReply::Refused);
  return "rs " + std::to_string(number) + " " + std::to_string(memory_.setpoints[number]);
}

// Setpoints act at once: cams that take their start or end from one move with it.
std::string SimDevice::WriteSetpoint(const DeviceCommand& command, SimTime) {
  if (!HasArguments(command, 2)) return ErrorReply(DeviceErrorReply::BadSyntax);
  std::int64_t number = *command.Number(0);
  std::int64_t value = *command.Number(1);
  if (!ValidSetpoint(number) || value < INT32_MIN || value > INT32_MAX) return ErrorReply(DeviceErrorReply::Refused);
  if (memory_.setpoints[number] != value) {
    memory_.setpoints[number] = static_cast<std::int32_t>(value);
    MemoryChanged();
  }
  return "ws " + std::to_string(number) + " " + std::to_string(value);
}

std::string SimDevice::Compute(const DeviceCommand& command, SimTime now) {
  if (!command.arguments.empty()) return ErrorReply(DeviceErrorReply::BadSyntax);
  int result = CheckConsistency(memory_.written, limits_);
  if (result == ComputeResult::Consistent && memory_.active != memory_.written) {
    memory_.active = memory_.written;
    MemoryChanged();
    Update(now);
  }
  return Reply("bp", result);
}
