#include "LineBus.h"

namespace {

constexpr const char* LineEnd = "\r\n";

// The unit number of a unit-select line, or -1 for a select of nobody.
int SelectedNumber(const DeviceCommand& command) {
  if (command.arguments.size() != 1) return -1;
  auto number = command.Number(0);
  return number && *number >= 0 && *number <= 31 ? static_cast<int>(*number) : -1;
}

}  // namespace

void LineBus::AddUnit(const UnitConfig& config, std::unique_ptr<SimDevice> device) {
  units_.push_back(Unit{config, std::move(device), false});
}

SimDevice* LineBus::Find(int unitNumber) {
  for (Unit& unit : units_)
    if (unit.config.number == unitNumber) return unit.device.get();
  return nullptr;
}

std::string LineBus::Hear(std::string_view line, const LineSettings& settings, SimTime now) {
  std::string sent;
  for (Unit& unit : units_) {
    if (!unit.config.Hears(settings)) {
      if (unit.selected) sent += GarbageFor(unit);
      continue;
    }
    sent += AnswerOf(unit, line, now);
  }
  return sent;
}

std::string LineBus::AnswerOf(Unit& unit, std::string_view line, SimTime now) {
  auto command = ParseDeviceCommand(line);
  if (command && command->code == "sc") {
    unit.selected = SelectedNumber(*command) == unit.config.number;
    if (!unit.selected) return {};
    return unit.device->Execute(*command, now) + LineEnd;
  }
  if (!unit.selected) return {};
  if (!command) return ErrorReply(DeviceErrorReply::UnknownCommand) + LineEnd;
  return unit.device->Execute(*command, now) + LineEnd;
}

// One to three bytes of the kind a UART makes of a faster or slower signal:
// mostly zeros and high bits, never a line end.
std::string LineBus::GarbageFor(const Unit& unit) {
  static const unsigned char patterns[] = {0x00, 0x80, 0xF8, 0xFE, 0xE0, 0x1C, 0x78, 0xC0};
  garbageSeed_ = garbageSeed_ * 1103515245u + 12345u + static_cast<std::uint32_t>(unit.config.number);
  std::size_t count = 1 + (garbageSeed_ >> 16) % 3;
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>(patterns[(garbageSeed_ >> (4 * i)) & 7]);
  return bytes;
}
