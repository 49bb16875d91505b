#include "model/ServiceInput.h"

#include <algorithm>

#include "model/Catalogue.h"
#include "model/DeviceReply.h"
#include "model/Functies.h"
#include "model/ParameterNumbers.h"

namespace {

constexpr std::size_t kMaxDigits = 8;  // the device takes at most 8 digits, decimals included

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

int ClampToText(int position, std::size_t size) {
  return std::clamp(position, 0, static_cast<int>(size));
}

// The field with its positions clamped into the text; with a selection the
// caret counts as at its start, which is where a typed character goes.
NumberFieldState Normalised(const NumberFieldState& field) {
  NumberFieldState f = field;
  f.SelectionStart = ClampToText(f.SelectionStart, f.Text.size());
  f.SelectionLength = ClampToText(f.SelectionLength, f.Text.size() - static_cast<std::size_t>(f.SelectionStart));
  f.Caret = f.SelectionLength > 0 ? f.SelectionStart : ClampToText(f.Caret, f.Text.size());
  return f;
}

std::string WithoutSelection(const NumberFieldState& f) {
  std::string text = f.Text;
  text.erase(static_cast<std::size_t>(f.SelectionStart), static_cast<std::size_t>(f.SelectionLength));
  return text;
}

NumberFieldKey Dropped() { return {}; }

NumberFieldKey Replaced(std::string text, int caret) {
  return {NumberFieldKey::Action::Replace, std::move(text), caret};
}

NumberFieldKey Inserted(const NumberFieldState& f, char c) {
  std::string text = WithoutSelection(f);
  text.insert(static_cast<std::size_t>(f.Caret), 1, c);
  return Replaced(std::move(text), f.Caret + 1);
}

// A "-" only ever goes in front of the text.
NumberFieldKey TypedSign(const NumberFieldState& f) {
  std::string rest = WithoutSelection(f);
  if (Holds(rest, '-')) return Dropped();
  const int caret = f.Caret == 0 ? 1 : static_cast<int>(rest.size()) + 1;
  return Replaced("-" + rest, caret);
}

// No room for another digit at the caret (nothing selected): the integer
// part is full when the caret is in front of the "," (or there is none), the
// decimals are full when it is behind it.
bool DigitsFull(const NumberFieldState& f, const NumberFieldRules& rules) {
  std::string t = f.Text;
  auto caret = static_cast<std::size_t>(f.Caret);
  if (const std::size_t sign = t.find('-'); sign != std::string::npos) {
    t.erase(sign, 1);
    if (caret > sign) --caret;  // counted in the text without its sign
  }
  const std::size_t comma = t.find(',');
  if (comma == std::string::npos || caret <= comma) {
    const std::size_t integerDigits = comma == std::string::npos ? t.size() : comma;
    return static_cast<std::int64_t>(integerDigits) >= rules.MaxIntDigits;
  }
  return static_cast<std::int64_t>(t.size() - comma - 1) >= rules.Decimals;
}

}  // namespace

std::optional<int> ServiceParameterNumber(std::string_view numberText) {
  if (numberText.empty() || numberText.size() > 3) return std::nullopt;
  int number = 0;
  for (char c : numberText) {
    if (!IsDigit(c)) return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number >= kParameterCount) return std::nullopt;
  return number;
}

std::string ServiceCaption(const TSelectedParameter& selected) {
  return "[" + selected.NumberText + "]   " + selected.Name;
}

bool IsChoiceParameter(const IniDocument& catalogue, int number) { return Catalogue::Type(catalogue, number) != 0; }

int ResolveDecimalsCode(int decimalsCode, const std::array<std::int32_t, kParameterCount>& parameters) {
  if (decimalsCode == kDecimalsOfPositions) decimalsCode = parameters[ParameterNumber::DecimalsOfPositions];
  if (decimalsCode == kDecimalsOfLinearisation) decimalsCode = parameters[ParameterNumber::DecimalsOfLinearisation];
  return decimalsCode;
}

int IntegerDigits(std::string_view limitText, int decimals) {
  std::string text(limitText);
  if (const std::size_t sign = text.find('-'); sign != std::string::npos) text.erase(sign, 1);
  const std::size_t comma = text.find(',');
  // A limit formatted without a comma has only integer digits, whatever the decimals.
  if (decimals > 0 && comma != std::string::npos) return static_cast<int>(comma);
  return static_cast<int>(text.size());
}

NumberFieldRules MakeNumberFieldRules(const IniDocument& catalogue, int number, const TSelectedParameter& selected,
                                      const std::array<std::int32_t, kParameterCount>& parameters) {
  NumberFieldRules rules;
  rules.Decimals = ResolveDecimalsCode(Catalogue::DecimalsCode(catalogue, number), parameters);
  rules.Minimum = selected.Minimum;
  rules.Maximum = selected.Maximum;
  rules.MaxIntDigits = std::max(IntegerDigits(selected.MinimumText, rules.Decimals),
                                IntegerDigits(selected.MaximumText, rules.Decimals));
  return rules;
}

NumberFieldKey FilterNumberKey(const NumberFieldState& field, char32_t typed, const NumberFieldRules& rules) {
  if (typed != kBackspace && typed != U',' && typed != U'-' && typed != U'.' && !IsDigit(typed)) return Dropped();
  const char c = typed == U'.' ? ',' : static_cast<char>(typed);
  const NumberFieldState f = Normalised(field);
  const bool selected = f.SelectionLength > 0;
  const bool hasSign = Holds(f.Text, '-');

  if (c == ',' && (rules.Decimals <= 0 || Holds(f.Text, ','))) return Dropped();
  if (c == '-' && (rules.Minimum >= 0 || (hasSign && !selected))) return Dropped();
  if (hasSign && f.Caret == 0 && !selected) return Dropped();
  if (c == '-') return TypedSign(f);
  if (typed == kBackspace) return {NumberFieldKey::Action::LetThrough, {}, 0};
  if (!selected && IsDigit(c) && DigitsFull(f, rules)) return Dropped();
  return Inserted(f, c);
}

InputTestResult TestIngaveChoice(int selectedIndex) {
  if (selectedIndex < 0) return {InputCheck::NoSelection, 0};
  return {InputCheck::Ok, selectedIndex};
}

InputTestResult TestIngaveNumber(std::string_view input, const NumberFieldRules& rules) {
  std::string text = input.empty() ? std::string("0") : std::string(input);
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  if (!std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == ','; }))
    return {InputCheck::NotANumber, 0};

  const std::size_t comma = text.find(',');
  if (comma != std::string::npos) {
    // A second comma, or more decimals than the parameter has, would shift
    // the value by powers of ten once the comma is removed.
    const std::size_t decimalsTyped = text.size() - comma - 1;
    if (rules.Decimals <= 0 || Holds(std::string_view(text).substr(comma + 1), ',') ||
        decimalsTyped > static_cast<std::size_t>(rules.Decimals))
      return {InputCheck::NotANumber, 0};
  }
  if (rules.Decimals > 0) {
    // Filled up, the text would have more digits than the device takes.
    if (static_cast<std::size_t>(rules.Decimals) > kMaxDigits) return {InputCheck::TooManyDigits, 0};
    if (comma == std::string::npos) text += ',';
    text.append(static_cast<std::size_t>(rules.Decimals) - (text.size() - text.find(',') - 1), '0');
    std::erase(text, ',');
  }
  if (text.empty()) return {InputCheck::NotANumber, 0};
  if (text.size() > kMaxDigits) return {InputCheck::TooManyDigits, 0};

  std::int64_t value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  if (negative) value = -value;
  if (value < rules.Minimum || value > rules.Maximum) return {InputCheck::OutOfRange, 0};
  return {InputCheck::Ok, static_cast<std::int32_t>(value)};
}

ServiceText InputCheckText(InputCheck check) {
  switch (check) {
    case InputCheck::Ok: return {"", ""};
    case InputCheck::NoSelection: return {"PanelTekstGeenKeuze", "No option selected"};
    case InputCheck::TooManyDigits: return {"PanelTekst3", "tekst 3"};
    case InputCheck::OutOfRange: return {"PanelTekst2", "tekst 2"};
    case InputCheck::NotANumber: return {"PanelTekstGeenGetal", "Not a valid number"};
  }
  return {"", ""};
}

std::vector<std::string> ChoiceEntries(const IniDocument& catalogue, int number, int language) {
  std::vector<std::string> entries = Catalogue::Options(catalogue, number, language);
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = std::to_string(i) + " - " + entries[i];
  return entries;
}

int EntryForValue(int entryCount, std::int64_t value) {
  return value >= 0 && value < entryCount ? static_cast<int>(value) : -1;
}

int EntryForDefault(int entryCount, std::string_view defaultText) {
  const auto value = ParseWholeNumber(defaultText);
  return value ? EntryForValue(entryCount, *value) : -1;
}

WriteReply CheckWriteReply(std::string_view reply) {
  if (reply.starts_with("er 7")) return WriteReply::Refused;
  if (reply.starts_with("wp")) return WriteReply::Written;
  return WriteReply::Invalid;
}

ComputeResult CheckComputeReply(std::string_view reply) {
  // Only a whole line is an answer: "bp -1" cut before its line end by a
  // pause would otherwise read as a failure with the code "-".
  const std::optional<std::string> line = ReplyLine(ResultBytes(reply.begin(), reply.end()));
  if (!line) return {};
  const std::string_view answer = *line;
  if (answer == "bp -1") return {ComputeReply::Computed, {}};
  if (!answer.starts_with("bp")) return {};
  return {ComputeReply::Failed, std::string(answer.size() > 3 ? answer.substr(3) : std::string_view{})};
}
