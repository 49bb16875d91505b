#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Global_var.h"

// Result codes of ParseFixed, outside every value a caller accepts: callers
// treat any result above 2000000000 as a rejection.
constexpr std::int32_t BadFormat = 2000000001;   // not a valid number for these decimals
constexpr std::int32_t OutOfRange = 2000000002;  // a valid number outside minimum .. maximum
constexpr std::int32_t kRejectedAbove = 2000000000;

// Decimals code 9 stands for the value of parameter 203 (positions),
// code 10 for that of parameter 248 (linearised values).
constexpr int kDecimalsOfPositions = 9;
constexpr int kDecimalsOfLinearisation = 10;

// Integer with implied decimals as text with a comma ("-0,05"), whatever
// the system locale. The codes 9 and 10 are resolved against `parameters`.
std::string FormatFixed(int decimalsCode, std::int32_t value,
                        const std::array<std::int32_t, kParameterCount>& parameters);
// The same against the shared ParameterTable.
std::string FormatFixed(int decimalsCode, std::int32_t value);

// Text with at most `decimals` digits after a comma as an integer with
// implied decimals, or BadFormat / OutOfRange. The caller passes the number
// of decimals itself (codes 9 and 10 are not resolved here).
std::int32_t ParseFixed(std::string_view text, int decimals, bool signAllowed, std::int32_t minimum,
                        std::int32_t maximum);
