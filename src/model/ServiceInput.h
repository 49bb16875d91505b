#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Global_var.h"
#include "platform/IniDocument.h"

// The logic of the service parameter window: the number field's key filter,
// the input test, the option list of a choice parameter and the checks of
// the device's replies to "wp" and "bp".

// A text of the window: key in section "ParamService" and built-in default.
struct ServiceText {
  const char* Key;
  const char* Default;
};

// ---- Opening ----------------------------------------------------------------

// The parameter number in SelectedParameter.NumberText (three digits), or
// none when it is not a number 0 .. 315 (the window is then not opened).
std::optional<int> ServiceParameterNumber(std::string_view numberText);
// The window caption: "[", NumberText, "]", three blanks, Name.
std::string ServiceCaption(const TSelectedParameter& selected);
// Any "type" other than 0 makes a choice parameter here.
bool IsChoiceParameter(const IniDocument& catalogue, int number);

// The decimals of a "dec" code: 9 becomes the value of parameter 203, then 10
// becomes the value of parameter 248.
int ResolveDecimalsCode(int decimalsCode, const std::array<std::int32_t, kParameterCount>& parameters);
// The integer digits of a formatted limit: its first "-" is removed; with
// decimals above 0 the digits before its ",", otherwise (or when it has no
// ",") its whole length.
int IntegerDigits(std::string_view limitText, int decimals);

// What the number field checks against.
struct NumberFieldRules {
  int Decimals = 0;  // resolved
  std::int32_t Minimum = 0;
  std::int32_t Maximum = 0;
  int MaxIntDigits = 0;  // the larger integer-digit count of MinimumText and MaximumText
};
NumberFieldRules MakeNumberFieldRules(const IniDocument& catalogue, int number, const TSelectedParameter& selected,
                                      const std::array<std::int32_t, kParameterCount>& parameters);

// ---- Key filter of the number field -------------------------------------------

constexpr char32_t kBackspace = U'\b';

// The number field before a key: caret and selection count the characters
// of Text from 0 (the field holds ASCII: digits, "," and "-"); positions
// outside the text are clamped into it. With a selection, the caret counts as
// at the selection's start, where a typed character goes.
struct NumberFieldState {
  std::string Text;
  int Caret = 0;
  int SelectionStart = 0;
  int SelectionLength = 0;
};

struct NumberFieldKey {
  enum class Action {
    Drop,      // swallow the key, the field stays as it is
    LetThrough,  // backspace: let the field delete as it always does
    Replace,   // swallow the key and set the field to Text with the caret at Caret, nothing selected
  };
  Action Outcome = Action::Drop;
  std::string Text;
  int Caret = 0;
};

// Applies the key filter to one typed character:
//  1. only backspace, ",", "-", "." and digits pass;
//  2. "." becomes ",";
//  3. "," is dropped when Decimals is 0 or less or the text holds a ",";
//  4. "-" is dropped when Minimum is 0 or more, or the text holds a "-" and
//     nothing is selected;
//  5. with a "-" in the text, the caret at 0 and nothing selected, every
//     character is dropped (nothing goes in front of the sign);
//  6. a "-" only ever goes in front: it replaces the selection and is put in
//     front of the rest, the caret behind it when the caret was at 0, else at
//     the end; a text that keeps a "-" outside the selection gets no second;
//  7. with nothing selected, a digit is dropped when the integer part already
//     has MaxIntDigits digits (caret in front of the ",", or no ","), or when
//     the caret is behind the "," and Decimals decimals are there; the caret
//     is counted in the text without its sign.
// A character that passes replaces the selection.
NumberFieldKey FilterNumberKey(const NumberFieldState& field, char32_t typed, const NumberFieldRules& rules);

// ---- Input test (OK and Send) -------------------------------------------------

enum class InputCheck {
  Ok,             // Value is to be stored
  NoSelection,    // choice parameter without a selected entry
  TooManyDigits,  // more than 8 digits
  OutOfRange,     // outside Minimum .. Maximum
  NotANumber,     // not a number for these decimals (pasted text)
};

struct InputTestResult {
  InputCheck Check = InputCheck::Ok;
  std::int32_t Value = 0;
};

// The value of a choice parameter: the selected entry's index (-1: none).
InputTestResult TestIngaveChoice(int selectedIndex);
// The value of the number field: empty counts as "0"; an optional leading
// "-", digits and at most one "," with at most Decimals digits after it; at
// most 8 digits once the decimals are filled up; within Minimum .. Maximum.
InputTestResult TestIngaveNumber(std::string_view text, const NumberFieldRules& rules);

// The red text for a failed test (Ok has none: Key and Default empty).
ServiceText InputCheckText(InputCheck check);

// ---- Choice parameters --------------------------------------------------------

// The list entries "0 - Uit", "1 - Aan", ... of parameter `number` in
// `language`, following a "#nnn" reference.
std::vector<std::string> ChoiceEntries(const IniDocument& catalogue, int number, int language);
// The entry to select for a value, or -1 when the value is not a position
// in a list of `entryCount` entries.
int EntryForValue(int entryCount, std::int64_t value);
// The entry the Default button selects: DefaultText read as a whole number,
// or -1 when it is not one or not a position in the list.
int EntryForDefault(int entryCount, std::string_view defaultText);

// ---- Replies ------------------------------------------------------------------

enum class WriteReply {
  Written,  // shown as PanelTekst4; the editor's ParamSentNotLoaded is set
  Refused,  // "er 7": shown as "(er 7) " and PanelTekst6 in red
  Invalid,  // neither an echo of "wp" nor "er 7": shown as PanelTekst5 in red, nothing set
};
WriteReply CheckWriteReply(std::string_view reply);

enum class ComputeReply {
  Computed,  // "bp -1": PanelTekst10
  Failed,    // "bp" and another code: PanelTekst7, blank, Code, blank, PanelTekst8 in red
  Invalid,   // not an answer to "bp": PanelTekst5 in red; ParamSentNotLoaded stays as it is
};
struct ComputeResult {
  ComputeReply Outcome = ComputeReply::Invalid;
  std::string Code;  // for Failed: the answer without its first three characters
};
// The answer is the reply without its line end; a reply that is not one
// whole line (model/DeviceReply.h, ReplyLine) is Invalid.
ComputeResult CheckComputeReply(std::string_view reply);
