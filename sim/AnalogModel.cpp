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

double ScaleFraction(double position, const ParameterValues& p) {
  double start = p[ParameterRoles::AnalogOutStart];
  double end = p[ParameterRoles::AnalogOutEnd];
  if (start == end) return 0;
  return std::clamp((position - start) / (end - start), 0.0, 1.0);
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

std::int64_t VoltageDemand(double position, const ParameterValues& parameters) {
  return std::llround(ScaleFraction(position, parameters) * VoltFullScale);
}

std::int64_t CurrentDemand(double position, const ParameterValues& parameters) {
  return 40000 + std::llround(ScaleFraction(position, parameters) * 160000);
}

}  // namespace AnalogModel
