#pragma once

#include "DeviceMemory.h"

// Answer codes of "bp". The device takes a parameter set over only when it
// passes every check; the first failing check gives the code.
namespace ComputeResult {
inline constexpr int Consistent = -1;
inline constexpr int TooManyPoints = 1;          // 247 above 30
inline constexpr int PointsNotAscending = 2;     // X of points 1..N not strictly ascending (246 not 0)
inline constexpr int CamOutputInvalid = 3;       // a cam in use whose output is not 1..4
inline constexpr int CamFunctionInvalid = 4;     // a cam function outside 0..5
inline constexpr int CamSetpointInvalid = 5;     // start/end setpoint selection outside 0..24
inline constexpr int AnalogScaleEmpty = 6;       // analog output on, scale start (235) equal to end (236)
inline constexpr int LinearisationChoiceInvalid = 7;  // 241 outside 0..2 or 246 outside 0..2
inline constexpr int ValueOutsideLimits = 8;     // any value outside its minimum..maximum
}  // namespace ComputeResult

int CheckConsistency(const ParameterValues& parameters, const ParameterLimits& limits);
