#include "model/Catalogue.h"

#include <cstdio>

#include "model/Functies.h"
#include "platform/CommaList.h"

namespace Catalogue {

namespace {

std::string LanguageKey(const char* word, int language) { return word + std::to_string(language); }

std::vector<std::string> RawOptions(const IniDocument& catalogue, const std::string& section, int language) {
  if (language < 0 || language > 4) return {};
  return ParseCommaList(catalogue.ReadString(section, LanguageKey("opties", language), ""));
}

}  // namespace

std::string SectionName(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%3.3d", number);
  return text;
}

std::string Name(const IniDocument& catalogue, int number, int language) {
  if (language < 0 || language > 4) return {};
  return catalogue.ReadString(SectionName(number), LanguageKey("naam", language), "");
}

std::vector<std::string> Options(const IniDocument& catalogue, int number, int language) {
  std::vector<std::string> options = RawOptions(catalogue, SectionName(number), language);
  if (options.size() == 1 && !options[0].empty() && options[0][0] == '#')
    return RawOptions(catalogue, options[0].substr(1), language);
  return options;
}

std::string OptionText(const std::vector<std::string>& options, std::int32_t value) {
  if (value < 0 || static_cast<std::size_t>(value) >= options.size()) return kInvalidOption;
  return options[static_cast<std::size_t>(value)];
}

std::string OptionText(const IniDocument& catalogue, int number, int language, std::int32_t value) {
  return OptionText(Options(catalogue, number, language), value);
}

int Type(const IniDocument& catalogue, int number) { return catalogue.ReadInteger(SectionName(number), "type", 0); }

int DecimalsCode(const IniDocument& catalogue, int number) {
  return catalogue.ReadInteger(SectionName(number), "dec", 0);
}

std::int32_t Minimum(const IniDocument& catalogue, int number) {
  return catalogue.ReadInteger(SectionName(number), "min", 0);
}

std::int32_t Maximum(const IniDocument& catalogue, int number) {
  return catalogue.ReadInteger(SectionName(number), "max", 0);
}

std::int32_t Default(const IniDocument& catalogue, int number) {
  return catalogue.ReadInteger(SectionName(number), "default", 0);
}

std::string ShownValue(const IniDocument& catalogue, int number,
                       const std::array<std::int32_t, kParameterCount>& parameters) {
  return FormatFixed(DecimalsCode(catalogue, number), parameters[static_cast<std::size_t>(number)], parameters);
}

std::array<std::int32_t, kParameterCount> DefaultTable(const IniDocument& catalogue) {
  std::array<std::int32_t, kParameterCount> table{};
  for (int n = 0; n < kParameterCount; ++n) table[static_cast<std::size_t>(n)] = Default(catalogue, n);
  return table;
}

int ParNoRow(const IniDocument& parNo, int group, int subgroup, int row) {
  const auto value = parNo.Find(std::to_string(group * 100 + subgroup), "ParId" + std::to_string(row));
  if (!value) return -1;
  const auto number = ParseWholeNumber(*value);
  return number && *number >= 0 && *number < kParameterCount ? *number : -1;
}

}  // namespace Catalogue
