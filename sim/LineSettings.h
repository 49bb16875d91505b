#pragma once

#include <chrono>
#include <cstddef>
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

  // Bits one character takes on the wire: the start bit, the data bits, a
  // parity bit unless the parity is none, and the stop bits.
  int BitsPerCharacter() const;
  // How long `characters` characters take on the wire at this baud rate;
  // zero when the rate is unknown (0).
  std::chrono::nanoseconds WireTime(std::size_t characters) const;

  // "9600 8 O 1", as the traffic log writes it.
  std::string LogText() const;
};

// "9600,E,8,1" (baud, parity, data bits, stop bits), the tool's own way of
// writing port settings. No value for anything else.
std::optional<LineSettings> ParseLineSettings(std::string_view text);

bool IsStandardBaud(int baud);
