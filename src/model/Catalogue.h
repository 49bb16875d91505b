#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Global_var.h"
#include "platform/IniDocument.h"

// Lookups in the parameter catalogue ("Parameters.txt"): one section per
// parameter, named by its number in three digits ("007"), with per-language
// names and option lists ("naam0", "opties1", ...), "type", "dec", "min",
// "max" and "default".
namespace Catalogue {

constexpr const char* kInvalidOption = "########";

std::string SectionName(int number);  // "007"

std::string Name(const IniDocument& catalogue, int number, int language);
// The option list in `language` (0 .. 4; other languages have none). A list
// that is a single item "#nnn" is replaced by the list of section nnn, once.
std::vector<std::string> Options(const IniDocument& catalogue, int number, int language);
// The option at `value`, or "########" when value is not a position in the list.
std::string OptionText(const std::vector<std::string>& options, std::int32_t value);
std::string OptionText(const IniDocument& catalogue, int number, int language, std::int32_t value);

int Type(const IniDocument& catalogue, int number);
int DecimalsCode(const IniDocument& catalogue, int number);
std::int32_t Minimum(const IniDocument& catalogue, int number);
std::int32_t Maximum(const IniDocument& catalogue, int number);
std::int32_t Default(const IniDocument& catalogue, int number);
// The value of parameter `number` in `parameters`, formatted with its decimals.
std::string ShownValue(const IniDocument& catalogue, int number,
                       const std::array<std::int32_t, kParameterCount>& parameters);
// "default" of every parameter (0 where missing).
std::array<std::int32_t, kParameterCount> DefaultTable(const IniDocument& catalogue);

// The parameter number in row `row` (1-based) of a "ParNo.txt" node, or -1
// for an empty row.
int ParNoRow(const IniDocument& parNo, int group, int subgroup, int row);

}  // namespace Catalogue
