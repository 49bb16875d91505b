#include "UnitConfig.h"

#include <charconv>
#include <vector>

namespace {

std::vector<std::string_view> SplitColons(std::string_view text) {
  std::vector<std::string_view> parts;
  while (true) {
    std::size_t colon = text.find(':');
    parts.push_back(text.substr(0, colon));
    if (colon == std::string_view::npos) return parts;
    text.remove_prefix(colon + 1);
  }
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

bool Fail(std::string* error, const std::string& message) {
  if (error) *error = message;
  return false;
}

bool ParseLineParts(const std::vector<std::string_view>& parts, UnitConfig* unit, std::string* error) {
  if (parts.size() > 2) {
    auto baud = ParseInt(parts[2]);
    if (!baud || !IsStandardBaud(*baud)) return Fail(error, "baud rate not one of 1200..115200");
    unit->baud = baud;
  }
  if (parts.size() > 3) {
    auto stopBits = ParseInt(parts[3]);
    if (!stopBits || (*stopBits != 1 && *stopBits != 2)) return Fail(error, "stop bits must be 1 or 2");
    unit->stopBits = stopBits;
  }
  if (parts.size() > 4) {
    if (parts[4] != "N" && parts[4] != "E" && parts[4] != "O") return Fail(error, "parity must be N, E or O");
    unit->parity = parts[4][0];
  }
  return true;
}

}  // namespace

bool UnitConfig::Hears(const LineSettings& line) const {
  if (baud && *baud != line.baud) return false;
  if (stopBits && *stopBits != line.stopBits) return false;
  if (parity && *parity != line.parity) return false;
  return true;
}

std::optional<UnitConfig> ParseUnitConfig(std::string_view text, std::string* error) {
  auto parts = SplitColons(text);
  if (parts.size() < 2 || parts.size() > 5) {
    Fail(error, "expected N:TYPE[:BAUD[:STOPBITS[:PARITY]]]");
    return std::nullopt;
  }
  UnitConfig unit;
  auto number = ParseInt(parts[0]);
  if (!number || *number < 0 || *number > 31) {
    Fail(error, "unit number must be 0..31");
    return std::nullopt;
  }
  unit.number = *number;
  if (parts[1].empty() || parts[1].size() > 16 || parts[1].find(' ') != std::string_view::npos) {
    Fail(error, "type must be a short word such as VQ22");
    return std::nullopt;
  }
  unit.type = std::string(parts[1]);
  if (!ParseLineParts(parts, &unit, error)) return std::nullopt;
  return unit;
}
