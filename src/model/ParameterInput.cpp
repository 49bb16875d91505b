#include "model/ParameterInput.h"

#include <algorithm>

#include "model/Catalogue.h"
#include "model/DeviceReply.h"
#include "model/Functies.h"
#include "model/ServiceInput.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Limits(const IniDocument& catalogue, int number, const std::array<std::int32_t, kParameterCount>& p) {
  const int code = Catalogue::DecimalsCode(catalogue, number);
  return FormatFixed(code, Catalogue::Minimum(catalogue, number), p) + " .. " +
         FormatFixed(code, Catalogue::Maximum(catalogue, number), p);
}

ParameterInput Option(const IniDocument& catalogue, int language, int number, const std::string& text) {
  const std::vector<std::string> options = Catalogue::Options(catalogue, number, language);
  for (std::size_t i = 0; i < options.size(); ++i)
    if (Lower(options[i]) == Lower(text)) return {static_cast<std::int32_t>(i), {}};
  std::string list;
  for (const std::string& option : options) list += (list.empty() ? "" : ", ") + option;
  return {std::nullopt, "\"" + text + "\" is not an option (" + list + ")"};
}

}  // namespace

bool OutsideCatalogueLimits(const IniDocument& catalogue, int number, std::int32_t value) {
  if (!catalogue.HasSection(Catalogue::SectionName(number))) return false;
  return value < Catalogue::Minimum(catalogue, number) || value > Catalogue::Maximum(catalogue, number);
}

bool NeedsDecimalsParameters(const IniDocument& catalogue, int number) {
  const int code = Catalogue::DecimalsCode(catalogue, number);
  return code == kDecimalsOfPositions || code == kDecimalsOfLinearisation;
}

ParameterInput ParseParameterInput(const IniDocument& catalogue, int language, int number, const std::string& text,
                                   bool raw, const std::array<std::int32_t, kParameterCount>& parameters) {
  const std::int32_t minimum = Catalogue::Minimum(catalogue, number);
  const std::int32_t maximum = Catalogue::Maximum(catalogue, number);
  std::optional<std::int32_t> value;
  if (raw) {
    value = ParseDecimal(text);
    if (!value) return {std::nullopt, "\"" + text + "\" is not a whole number"};
  } else if (IsChoiceParameter(catalogue, number) && !ParseDecimal(text)) {
    return Option(catalogue, language, number, text);
  } else {
    std::string typed = text;
    std::replace(typed.begin(), typed.end(), '.', ',');
    const int decimals = ResolveDecimalsCode(Catalogue::DecimalsCode(catalogue, number), parameters);
    const std::int32_t parsed = ParseFixed(typed, decimals, true, minimum, maximum);
    if (parsed == BadFormat)
      return {std::nullopt, "\"" + text + "\" is not a value with at most " + std::to_string(decimals) + " decimals"};
    if (parsed != OutOfRange) value = parsed;
  }
  if (!value || *value < minimum || *value > maximum)
    return {std::nullopt, text + " is outside " + Limits(catalogue, number, parameters)};
  return {value, {}};
}
