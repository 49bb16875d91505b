#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Global_var.h"
#include "platform/IniDocument.h"

// The line texts of the parameter and setpoint printouts. The lines are
// printed in a fixed-pitch font, so their columns line up by padding with
// blanks. Widths count characters, not bytes: the catalogue and language
// files are UTF-8, and a name with "ä" is padded like one without.
namespace PrintText {

constexpr const char* kColumnGap = "   ";  // three blanks between columns
constexpr int kParameterColumns = 5;

// Characters (code points) in UTF-8 text. A byte that does not start a valid
// sequence counts as one character, as it prints as one replacement sign.
std::size_t CharacterCount(std::string_view utf8);
// Blanks added after (PadEnd) or before (PadFront) the text up to `width`
// characters; longer texts stay whole.
std::string PadEnd(std::string_view text, std::size_t width);
std::string PadFront(std::string_view text, std::size_t width);

// A tree caption without the blanks and control characters around it.
std::string TrimCaption(std::string_view line);

// Column header of the parameter list from the five column texts (row
// number, parameter number, name, value, option): padded to 6, 3 and 38 at
// the end, 11 at the front and 18 at the end; no gap between name and value,
// whose column is right-aligned.
std::string InitParameterHeader(const std::array<std::string, kParameterColumns>& columnTexts);
// Column header of the setpoint list: number text padded to 6 at the end,
// the gap, value text padded to 12 at the front.
std::string InitSollwertHeader(std::string_view numberText, std::string_view valueText);

// "g.s.r" of a printed row (group, subgroup, row of the menu), e.g. "1.3.2".
std::string RowNumberText(std::int64_t group, std::int64_t subgroup, int row);

// One parameter row: row number (padded to 6), gap, section name "007"
// (padded to 3), gap, name in `language` (padded to 38), value with the
// parameter's decimals (padded to 11 at the front), gap, option text. The
// option text is given only for "type" 1 and is "########" for a value that
// is not a position in the option list. A parameter without a catalogue
// section has empty number, name and option and its value without decimals.
// Empty for a parameter number outside 0 .. 315.
std::string ParameterLine(const IniDocument& catalogue, int language,
                          const std::array<std::int32_t, kParameterCount>& parameters, std::string_view rowNumber,
                          int parameterNumber);

// One setpoint row: the number padded to 6, the gap, the raw value as a
// whole number padded to 12 at the front.
std::string SetpointLine(int number, std::int32_t value);

// The page text of the header: the word, a blank and the page number
// right-aligned in three places ("P   1").
std::string PageNumberText(std::string_view pageText, int pageNo);

// The three header labels padded at the front to the longest, so that they
// end in one column.
std::array<std::string, 3> PadLabels(const std::array<std::string, 3>& labels);

}  // namespace PrintText
