#include "model/CalibrationWords.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "model/ParameterNumbers.h"

namespace {

using G = CalibrationGroup;
using Q = CalibrationQuantity;

constexpr std::array<CalibrationWord, kCalibrationWordCount> kWords = {{
    {2034, G::AdVoltage, Q::GainNegative, "SpinEdit_Gain_U_neg_AD", -1000, 1000, "kw 2034 "},
    {2035, G::AdVoltage, Q::Offset, "SpinEdit_Offset_U_AD", 0, 0, "kw 2035 "},
    {2036, G::AdVoltage, Q::GainPositive, "SpinEdit_Gain_U_pos_AD", -1000, 1000, "kw 2036 "},
    {2037, G::AdCurrent, Q::GainNegative, "SpinEdit_Gain_I_neg_AD", -1000, 1000, "kw 2037 "},
    {2038, G::AdCurrent, Q::Offset, "SpinEdit_Offset_I_AD", 0, 0, "kw 2038 "},
    {2039, G::AdCurrent, Q::GainPositive, "SpinEdit_Gain_I_pos_AD", -1000, 1000, "kw 2039 "},
    {2040, G::DaVoltage, Q::GainNegative, "SpinEdit_Gain_U_neg", -1000, 1000, "kw 2040 "},
    {2041, G::DaVoltage, Q::Offset, "SpinEdit_Offset_U", 0, 0, "kw 2041 "},
    {2042, G::DaVoltage, Q::GainPositive, "SpinEdit_Gain_U_pos", -1000, 1000, "kw 2042 "},
    {2043, G::DaCurrent, Q::Offset, "SpinEdit_Offset_I", 0, 0, "kw 2043 "},
    {2044, G::DaCurrent, Q::GainPositive, "SpinEdit_Gain_I_pos", -3000, 3000, "kw 2044 "},
    {2045, G::DaCurrent, Q::GainNegative, "SpinEdit_Gain_I_neg", -3000, 3000, "kw 2045 "},
}};

constexpr std::array<TeachWord, kTeachWordCount> kTeach = {{
    {2028, "Panel_DAC_Smin_spanning", "Smin spanning:"},
    {2029, "Panel_DAC_Smax_spanning", "Smax spanning:"},
    {2030, "Panel_DAC_Smin_stroom", "Smin stroom:"},
    {2031, "Panel_DAC_Smax_stroom", "Smax stroom:"},
}};

using K = AnalogOutputKind;
constexpr std::array<OutputLevelBox, kOutputLevelBoxCount> kLevels = {{
    {"SpinEdit1", "CmdSetUmin", K::Voltage, -100000, 100000, -100000},
    {"SpinEdit2", "CmdSetUnul", K::Voltage, -100000, 100000, 0},
    {"SpinEdit3", "CmdSetUmax", K::Voltage, -100000, 100000, 100000},
    {"SpinEdit6", "CmdSetImin", K::Current, -200000, 200000, -200000},
    {"SpinEdit7", "CmdSetInul", K::Current, -200000, 200000, 0},
    {"SpinEdit8", "CmdSetImax", K::Current, -200000, 200000, 200000},
}};

}  // namespace

const std::array<CalibrationWord, kCalibrationWordCount>& CalibrationWords() { return kWords; }

std::optional<int> CalibrationWordIndex(std::int64_t address) {
  if (address < kFirstCalibrationAddress || address > kLastCalibrationAddress) return std::nullopt;
  return static_cast<int>(address - kFirstCalibrationAddress);
}

const char* CalibrationGroupCaption(CalibrationGroup group) {
  switch (group) {
    case G::DaVoltage: return "DA Spanning";
    case G::DaCurrent: return "DA Stroom";
    case G::AdVoltage: return "AD Spanning";
    case G::AdCurrent: return "AD Stroom";
  }
  return "";
}

const std::array<TeachWord, kTeachWordCount>& TeachWords() { return kTeach; }

std::int32_t ClampToSpinRange(std::int64_t value, std::int32_t minimum, std::int32_t maximum) {
  if (minimum == 0 && maximum == 0) {
    minimum = std::numeric_limits<std::int32_t>::min();
    maximum = std::numeric_limits<std::int32_t>::max();
  }
  if (minimum > maximum) std::swap(minimum, maximum);  // std::clamp needs an ordered range
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, minimum, maximum));
}

std::int32_t ClampToSpinRange(std::int64_t value, const CalibrationWord& word) {
  return ClampToSpinRange(value, word.minimum, word.maximum);
}

std::string ReadWordCommand(std::int32_t address) { return "kr " + std::to_string(address); }

std::string WriteWordCommand(const CalibrationWord& word, std::int32_t value) {
  return word.writePrefix + std::to_string(value);
}

const std::array<OutputLevelBox, kOutputLevelBoxCount>& OutputLevelBoxes() { return kLevels; }

std::string InputModeCommand(AnalogInput input) {
  return "wp " + std::to_string(ParameterNumber::AnalogInputMode) + (input == AnalogInput::Current ? " 1" : " 0");
}

const char* LiveReadingCommand(AnalogInput input) { return input == AnalogInput::Current ? "r5" : "r4"; }

std::string DriveOutputCommand(AnalogOutputKind kind, std::int32_t level) {
  // Integer division truncates toward zero, as the device expects for odd levels.
  const std::int32_t value = kind == K::Current ? level / 2 : level;
  return "ka " + std::to_string(value);
}
