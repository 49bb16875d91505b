#include "model/PrintText.h"

#include <algorithm>
#include <cstdio>

#include "model/Catalogue.h"

namespace PrintText {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Bytes of the character starting at `at`: a well-formed lead byte with its
// continuation bytes, or a single byte otherwise.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (at + length > text.size()) return 1;
  for (std::size_t k = 1; k < length; ++k)
    if (!IsContinuation(text[at + k])) return 1;
  return length;
}

std::size_t Shortfall(std::string_view text, std::size_t width) {
  const std::size_t count = CharacterCount(text);
  return count < width ? width - count : 0;
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < utf8.size(); at += SequenceLength(utf8, at)) ++count;
  return count;
}

std::string PadEnd(std::string_view text, std::size_t width) {
  return std::string(text) + std::string(Shortfall(text, width), ' ');
}

std::string PadFront(std::string_view text, std::size_t width) {
  return std::string(Shortfall(text, width), ' ') + std::string(text);
}

std::string TrimCaption(std::string_view line) {
  while (!line.empty() && IsBlankOrControl(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlankOrControl(line.back())) line.remove_suffix(1);
  return std::string(line);
}

std::string InitParameterHeader(const std::array<std::string, kParameterColumns>& columnTexts) {
  return PadEnd(columnTexts[0], 6) + kColumnGap + PadEnd(columnTexts[1], 3) + kColumnGap +
         PadEnd(columnTexts[2], 38) + PadFront(columnTexts[3], 11) + kColumnGap + PadEnd(columnTexts[4], 18);
}

std::string InitSollwertHeader(std::string_view numberText, std::string_view valueText) {
  return PadEnd(numberText, 6) + kColumnGap + PadFront(valueText, 12);
}

std::string RowNumberText(std::int64_t group, std::int64_t subgroup, int row) {
  return std::to_string(group) + "." + std::to_string(subgroup) + "." + std::to_string(row);
}

std::string ParameterLine(const IniDocument& catalogue, int language,
                          const std::array<std::int32_t, kParameterCount>& parameters, std::string_view rowNumber,
                          int parameterNumber) {
  if (parameterNumber < 0 || parameterNumber >= kParameterCount) return {};
  const std::string section = Catalogue::SectionName(parameterNumber);
  std::string numberText, name, option;
  if (catalogue.HasSection(section)) {
    numberText = section;
    name = Catalogue::Name(catalogue, parameterNumber, language);
    if (Catalogue::Type(catalogue, parameterNumber) == 1)
      option = Catalogue::OptionText(catalogue, parameterNumber, language,
                                     parameters[static_cast<std::size_t>(parameterNumber)]);
  }
  const std::string value = Catalogue::ShownValue(catalogue, parameterNumber, parameters);
  return PadEnd(rowNumber, 6) + kColumnGap + PadEnd(numberText, 3) + kColumnGap + PadEnd(name, 38) +
         PadFront(value, 11) + kColumnGap + option;
}

std::string SetpointLine(int number, std::int32_t value) {
  return PadEnd(std::to_string(number), 6) + kColumnGap + PadFront(std::to_string(value), 12);
}

std::string PageNumberText(std::string_view pageText, int pageNo) {
  char number[16];
  std::snprintf(number, sizeof number, "%3d", pageNo);
  return std::string(pageText) + " " + number;
}

std::array<std::string, 3> PadLabels(const std::array<std::string, 3>& labels) {
  std::size_t longest = 0;
  for (const auto& label : labels) longest = std::max(longest, CharacterCount(label));
  return {PadFront(labels[0], longest), PadFront(labels[1], longest), PadFront(labels[2], longest)};
}

}  // namespace PrintText
