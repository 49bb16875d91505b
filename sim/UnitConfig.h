#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "LineSettings.h"

// One unit on the line as "--unit N:TYPE[:BAUD[:STOPBITS[:PARITY]]]" gives it.
// A unit without a baud rate hears the line at any rate; the same for stop
// bits and parity.
struct UnitConfig {
  int number = 0;
  std::string type = "VQ22";
  std::optional<int> baud;
  std::optional<int> stopBits;
  std::optional<char> parity;

  // Whether the unit decodes what is sent with these settings.
  bool Hears(const LineSettings& line) const;
};

// No value, with *error set, for a malformed unit option.
std::optional<UnitConfig> ParseUnitConfig(std::string_view text, std::string* error);
