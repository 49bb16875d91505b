#include "LineSettings.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  while (true) {
    std::size_t comma = text.find(',');
    parts.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return parts;
    text.remove_prefix(comma + 1);
  }
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string LineSettings::LogText() const {
  return std::to_string(baud) + " " + std::to_string(dataBits) + " " + parity + " " + std::to_string(stopBits);
}

int LineSettings::BitsPerCharacter() const { return 1 + dataBits + (parity == 'N' ? 0 : 1) + stopBits; }

std::chrono::nanoseconds LineSettings::WireTime(std::size_t characters) const {
  if (baud <= 0) return std::chrono::nanoseconds(0);
  // Whole nanoseconds from the total bit count, so that times of many
  // characters do not add up rounding errors.
  const auto bits = static_cast<std::int64_t>(characters) * BitsPerCharacter();
  return std::chrono::nanoseconds(bits * 1'000'000'000 / baud);
}

bool IsStandardBaud(int baud) {
  for (int known : {1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200})
    if (baud == known) return true;
  return false;
}

std::optional<LineSettings> ParseLineSettings(std::string_view text) {
  auto parts = SplitCommas(text);
  if (parts.size() != 4) return std::nullopt;
  auto baud = ParseInt(parts[0]);
  auto dataBits = ParseInt(parts[2]);
  auto stopBits = ParseInt(parts[3]);
  if (!baud || !IsStandardBaud(*baud) || !dataBits || (*dataBits != 7 && *dataBits != 8) || !stopBits ||
      (*stopBits != 1 && *stopBits != 2) || parts[1].size() != 1)
    return std::nullopt;
  char parity = parts[1][0];
  if (parity != 'N' && parity != 'E' && parity != 'O') return std::nullopt;
  return LineSettings{*baud, *dataBits, parity, *stopBits};
}
