#include "AnalogModel.h"

#include <algorithm>
#include <cmath>

namespace AnalogModel {

namespace {

// The converters' own errors, before calibration.
constexpr double DacOffsetError = 37;       // line units
constexpr double DacGainError = 0.0025;     // +0.25 %
constexpr double AdcOffsetError = 5;        // counts
constexpr double AdcGainError = -0.0015;    // -0.15 %
constexpr double OffsetWordUnits = 3.11;    // 311 uV in 0.1 mV units

std::int32_t Word(const CalibrationWords& words, int address) { return words[address - CalibrationAddress::First]; }

double Correction(double value, std::int64_t fullScale, const CalibrationWords& words, int offsetWord,
                  int gainNegativeWord, int gainPositiveWord) {
  int gainWord = value < 0 ? gainNegativeWord : gainPositiveWord;
  return Word(words, offsetWord) * OffsetWordUnits + Word(words, gainWord) * value / static_cast<double>(fullScale);
}

}  // namespace

std::int64_t DacOutput(std::int64_t demand, std::int64_t fullScale, const CalibrationWords& words, int offsetWord,
                       int gainNegativeWord, int gainPositiveWord) {
  double value = static_cast<double>(demand);
  double out = value * (1 + DacGainError) + DacOffsetError +
               Correction(value, fullScale, words, offsetWord, gainNegativeWord, gainPositiveWord);
  return std::llround(out);
}

std::int32_t AdcRaw(std::int64_t signal, std::int64_t fullScale) {
  double counts = static_cast<double>(signal) * AdcFullScale / static_cast<double>(fullScale);
  counts = counts * (1 + AdcGainError) + AdcOffsetError;
  return static_cast<std::int32_t>(std::clamp<double>(std::llround(counts), -AdcFullScale - 1, AdcFullScale));
}

std::int64_t AdcReading(std::int32_t raw, std::int64_t fullScale, const CalibrationWords& words, int offsetWord,
                        int gainNegativeWord, int gainPositiveWord) {
  double value = static_cast<double>(raw) * static_cast<double>(fullScale) / AdcFullScale;
  return std::llround(value + Correction(value, fullScale, words, offsetWord, gainNegativeWord, gainPositiveWord));
}

double ScaleFraction(double source, const ParameterValues& p) {
  double start = p[ParameterRoles::AnalogOutScaleStart];
  double end = p[ParameterRoles::AnalogOutScaleEnd];
  if (start == end) return 0;
  double fraction = (source - start) / (end - start);
  return p[ParameterRoles::AnalogOutLimiting] == 1 ? std::clamp(fraction, 0.0, 1.0) : std::clamp(fraction, -0.1, 1.1);
}

// The offset counts 1 mV (or 1 uA), ten line units.
std::int64_t VoltageDemand(double fraction, const ParameterValues& p) {
  double low = p[ParameterRoles::AnalogOutVoltageRange] == 1 ? -VoltFullScale : 0;
  double value = low + fraction * (VoltFullScale - low);
  return std::llround(value) + p[ParameterRoles::AnalogOutOffset] * 10;
}

std::int64_t CurrentDemand(double fraction, const ParameterValues& p) {
  double low = p[ParameterRoles::AnalogOutCurrentRange] == 1 ? 40000 : 0;
  double value = low + fraction * (MilliampFullScale - low);
  return std::llround(value) + p[ParameterRoles::AnalogOutOffset] * 10;
}

}  // namespace AnalogModel
