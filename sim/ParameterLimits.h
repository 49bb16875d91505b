#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ParameterRoles.h"

class IniDocument;

struct ParameterLimit {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t defaultValue = 0;

  bool Accepts(std::int64_t value) const { return value >= minimum && value <= maximum; }
};

using ParameterLimits = std::array<ParameterLimit, ParameterRoles::Count>;

// Limits and defaults that follow the parameter roles; the defaults make a
// consistent set whose cams switch all four outputs during the default
// motion and whose linearisation table bends the position visibly.
ParameterLimits BuiltInLimits();

// Limits from a parameter catalogue ("Parameters.txt", sections "000" to
// "315", keys "min", "max", "default"). A key that is missing or not a whole
// number keeps the built-in value; a section whose minimum exceeds its
// maximum keeps the built-in limits; a default outside the limits is moved to
// the nearest limit.
ParameterLimits MergeCatalogueLimits(const IniDocument& catalogue, ParameterLimits limits);

// Loads the catalogue file; false with *error set when it cannot be read.
bool LoadCatalogueLimits(const std::string& path, ParameterLimits* limits, std::string* error);
