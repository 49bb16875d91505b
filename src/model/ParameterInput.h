#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/Global_var.h"
#include "platform/IniDocument.h"

// A value typed for a parameter, as a person writes it where the tool shows
// it: with its decimals ("12,50", "12.50" too), or the text of one of its
// options ("Cam", any case); or, raw, the whole number the device holds.
// Checked against the catalogue's minimum and maximum, so that a value the
// device would refuse is refused before anything is sent.
struct ParameterInput {
  std::optional<std::int32_t> value;
  std::string why;  // when there is no value: what is wrong, naming the limits or the options
};

ParameterInput ParseParameterInput(const IniDocument& catalogue, int language, int number, const std::string& text,
                                   bool raw, const std::array<std::int32_t, kParameterCount>& parameters);

// Whether a value lies beyond the catalogue's minimum or maximum of
// parameter `number`; a parameter without a section has no limits to go by.
bool OutsideCatalogueLimits(const IniDocument& catalogue, int number, std::int32_t value);

// Whether showing or parsing parameter `number` needs the values of the
// parameters that decimals codes 9 and 10 stand for.
bool NeedsDecimalsParameters(const IniDocument& catalogue, int number);
