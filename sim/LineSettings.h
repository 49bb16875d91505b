#pragma once

#include <optional>
#include <string>
#include <string_view>

// The framing of the serial line as its termios says.
struct LineSettings {
  int baud = 9600;
  int dataBits = 8;
  char parity = 'N';  // 'N', 'E' or 'O'
  int stopBits = 1;

  bool operator==(const LineSettings&) const = default;

  // "9600 8 O 1", as the traffic log writes it.
  std::string LogText() const;
};

// "9600,E,8,1" (baud, parity, data bits, stop bits), the tool's own way of
// writing port settings. No value for anything else.
std::optional<LineSettings> ParseLineSettings(std::string_view text);

bool IsStandardBaud(int baud);
