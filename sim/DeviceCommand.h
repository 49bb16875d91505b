#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One command line as the device reads it: a two-character code, then
// blank-separated decimal arguments ("wp 12 1500"). Surrounding blanks are
// tolerated; the CR that ended the line is not part of the text.
struct DeviceCommand {
  std::string code;
  std::vector<std::string> arguments;  // as written, not yet converted

  // The argument at index as a whole number; no value when it is missing or
  // not an optionally signed decimal number that fits 64 bits.
  std::optional<std::int64_t> Number(std::size_t index) const;
};

// No value for an empty line or one whose code is not followed by a blank or
// the end of the line ("rtx").
std::optional<DeviceCommand> ParseDeviceCommand(std::string_view line);
