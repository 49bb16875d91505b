#pragma once

#include <cstdint>

#include "DeviceMemory.h"

// The analog circuits of a unit. Values on the line carry 4 implied
// decimals: volts in 0.1 mV (100000 = 10 V), milliamperes in 0.1 uA
// (200000 = 20 mA). Each converter has a small built-in error that the
// calibration words are there to trim away: an offset word counts 311 uV
// (3.11 line units), a gain word 0.1 mV (one line unit) at full scale,
// the negative-gain word applying below zero and the positive one above.
namespace AnalogModel {

inline constexpr std::int64_t VoltFullScale = 100000;
inline constexpr std::int64_t MilliampFullScale = 200000;
inline constexpr int AdcFullScale = 32767;

// What the DAC puts out for a demanded value (line units) through the
// output path of the given offset and gain words.
std::int64_t DacOutput(std::int64_t demand, std::int64_t fullScale, const CalibrationWords& words, int offsetWord,
                       int gainNegativeWord, int gainPositiveWord);

// The ADC's raw count for an input signal (line units of the given full scale).
std::int32_t AdcRaw(std::int64_t signal, std::int64_t fullScale);

// The input reading (line units) the device computes from a raw count.
std::int64_t AdcReading(std::int32_t raw, std::int64_t fullScale, const CalibrationWords& words, int offsetWord,
                        int gainNegativeWord, int gainPositiveWord);

// Normal operation: where a source value lies between the scale start (235)
// and end (236), 0 at the start and 1 at the end; limited to 0..1 when
// parameter 240 asks for it, else to the converter's headroom.
double ScaleFraction(double source, const ParameterValues& parameters);

// The output demand (line units) for a scale fraction, in the voltage range
// (233: 0..10 V or -10..10 V) or the current range (234: 0..20 mA or
// 4..20 mA), plus the output offset (237, in mV or uA).
std::int64_t VoltageDemand(double fraction, const ParameterValues& parameters);
std::int64_t CurrentDemand(double fraction, const ParameterValues& parameters);

}  // namespace AnalogModel
