#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The twelve calibration words of the device's analog circuits, the spin
// boxes of the calibration window that show them, the four teach values of
// the analog output, the output level boxes and the command texts built
// from them.

// The four circuits; the input circuits exist on VQ22 devices only.
enum class CalibrationGroup { DaVoltage, DaCurrent, AdVoltage, AdCurrent };
enum class CalibrationQuantity { Offset, GainNegative, GainPositive };

// One calibration word. A range of 0 .. 0 means the spin box has no limit
// (the window gives such a box the whole 32-bit range).
struct CalibrationWord {
  std::int32_t address;
  CalibrationGroup group;
  CalibrationQuantity quantity;
  const char* spinBoxName;  // "SpinEdit_Offset_U"
  std::int32_t minimum;
  std::int32_t maximum;
  const char* writePrefix;  // "kw 2041 ": the decimal value follows
};

constexpr std::int32_t kFirstCalibrationAddress = 2034;
constexpr std::int32_t kLastCalibrationAddress = 2045;
constexpr int kCalibrationWordCount = 12;

// Ordered by address: entry i is word 2034 + i. SavedValues and the spin
// values of CalibrationModel use the same positions.
const std::array<CalibrationWord, kCalibrationWordCount>& CalibrationWords();
// Position of a word in CalibrationWords(), or no value for any other address.
std::optional<int> CalibrationWordIndex(std::int64_t address);

// Group box captions: "DA Spanning", "DA Stroom", "AD Spanning", "AD Stroom".
const char* CalibrationGroupCaption(CalibrationGroup group);

// The order in which the read chain asks for the words on activation.
constexpr std::array<std::int32_t, kCalibrationWordCount> kReadChainOrder = {
    2041, 2042, 2040, 2043, 2044, 2045, 2034, 2035, 2036, 2037, 2038, 2039};

// Teach values of the analog output, read after the words and by "Lees".
struct TeachWord {
  std::int32_t address;
  const char* panelName;  // "Panel_DAC_Smin_spanning"
  const char* label;      // "Smin spanning:"
};
constexpr int kTeachWordCount = 4;
const std::array<TeachWord, kTeachWordCount>& TeachWords();
// TeachAddress once the teach chain has read its last word.
constexpr std::int32_t kTeachChainEnd = 2032;

// What a spin box stores for `value`: the nearest bound when it lies outside
// minimum .. maximum; the value itself when both bounds are 0 (no limit),
// saturated to 32 bits.
std::int32_t ClampToSpinRange(std::int64_t value, std::int32_t minimum, std::int32_t maximum);
std::int32_t ClampToSpinRange(std::int64_t value, const CalibrationWord& word);

std::string ReadWordCommand(std::int32_t address);                       // "kr 2041"
std::string WriteWordCommand(const CalibrationWord& word, std::int32_t value);  // "kw 2041 -12"
// The analog input's mode, parameter 226: "wp 226 0" for the voltage input,
// "wp 226 1" for the current input.
enum class AnalogInput { Voltage, Current };
std::string InputModeCommand(AnalogInput input);
// The live reading of an input: "r4" (voltage) or "r5" (current).
const char* LiveReadingCommand(AnalogInput input);

// Output level boxes: the levels "ka" drives the analog output to.
enum class AnalogOutputKind { Voltage, Current };
struct OutputLevelBox {
  const char* spinBoxName;  // "SpinEdit1"
  const char* buttonName;   // "CmdSetUmin"
  AnalogOutputKind kind;
  std::int32_t minimum;
  std::int32_t maximum;
  std::int32_t activationValue;  // set on every activation of the window
};
constexpr int kOutputLevelBoxCount = 6;
const std::array<OutputLevelBox, kOutputLevelBoxCount>& OutputLevelBoxes();

// "ka " + the level; a current level is halved, truncated toward zero
// ("ka -2" for -5).
std::string DriveOutputCommand(AnalogOutputKind kind, std::int32_t level);

// The fixed commands of the window's buttons.
constexpr const char* kCmdCalibrationModeOn = "km 1";   // "Aan"
constexpr const char* kCmdCalibrationModeOff = "km 0";  // "Uit"
constexpr const char* kCmdVoltageOutput = "kf 1";       // "Spanning"
constexpr const char* kCmdCurrentOutput = "kf 2";       // "Stroom"
constexpr const char* kCmdNoOutput = "kf 0";            // "Geen"
constexpr const char* kCmdSaveToEeprom = "ks";          // "EEPROM"
constexpr const char* kCmdCompute = "bp";               // sent after the input mode is written
