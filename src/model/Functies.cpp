#include "model/Functies.h"

#include <algorithm>
#include <cstdlib>

#include "model/ParameterNumbers.h"

namespace {

int ResolveDecimals(int code, const std::array<std::int32_t, kParameterCount>& parameters) {
  if (code == kDecimalsOfPositions) code = parameters[ParameterNumber::DecimalsOfPositions];
  if (code == kDecimalsOfLinearisation) code = parameters[ParameterNumber::DecimalsOfLinearisation];
  return code;
}

}  // namespace

std::string FormatFixed(int decimalsCode, std::int32_t value,
                        const std::array<std::int32_t, kParameterCount>& parameters) {
  const int decimals = ResolveDecimals(decimalsCode, parameters);
  if (decimals < 1) return std::to_string(value);
  const bool negative = value < 0;
  // Through 64 bits: the magnitude of the most negative value does not fit 32.
  std::string digits = std::to_string(negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value));
  // A decimals value read from the device could be anything; the padding
  // is bounded so that an absurd one cannot exhaust memory.
  constexpr int kMaxDecimals = 1000;
  const std::size_t places = static_cast<std::size_t>(decimals > kMaxDecimals ? kMaxDecimals : decimals);
  if (digits.size() < places + 1) digits.insert(0, places + 1 - digits.size(), '0');
  digits.insert(digits.size() - places, 1, ',');
  return negative ? "-" + digits : digits;
}

std::string FormatFixed(int decimalsCode, std::int32_t value) {
  return FormatFixed(decimalsCode, value, GlobalVar().ParameterTable);
}

std::int32_t ParseFixed(std::string_view input, int decimals, bool signAllowed, std::int32_t minimum,
                        std::int32_t maximum) {
  // Ten decimals or more cannot fit the nine characters allowed below; the
  // count may come from the device, so it must not size the padding.
  if (decimals >= 10) return BadFormat;
  std::string text(input);
  if (text.empty() || text == "," || text == "-") return BadFormat;
  for (char c : text)
    if (c != ',' && c != '-' && (c < '0' || c > '9')) return BadFormat;

  const std::size_t commas = static_cast<std::size_t>(std::count(text.begin(), text.end(), ','));
  if (decimals == 0 && commas > 0) return BadFormat;
  if (decimals != 0) {
    if (commas >= 2) return BadFormat;
    const auto after = static_cast<long>(text.size() - text.find(',') - 1);
    if (commas == 1 && after > decimals) return BadFormat;
  }
  if (decimals > 0 && commas == 0) text += ',';
  if (decimals > 0) {
    const std::size_t after = text.size() - text.find(',') - 1;
    text.append(static_cast<std::size_t>(decimals) - after, '0');
  }

  const std::size_t signs = static_cast<std::size_t>(std::count(text.begin(), text.end(), '-'));
  if (!signAllowed && signs > 0) return BadFormat;
  if (signs >= 2 || (signs == 1 && text.front() != '-')) return BadFormat;

  std::erase(text, ',');
  if (text.size() > 9) return BadFormat;

  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < minimum || value > maximum) return OutOfRange;
  return static_cast<std::int32_t>(value);
}
