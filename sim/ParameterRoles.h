#pragma once

// Parameter numbers whose meaning the device model relies on. The cam,
// linearisation, analog, decimals and input/output function numbers are
// fixed by the tool's catalogue and windows; the rest follow the shipped
// "Parameters.txt".
namespace ParameterRoles {

inline constexpr int Count = 316;
inline constexpr int CamCount = 12;
inline constexpr int OutputCount = 4;
inline constexpr int InputCount = 2;
inline constexpr int SetpointCount = 24;
inline constexpr int MaxLinearisationPoints = 30;

// Serial interface (kept, no effect on the simulated line).
inline constexpr int UnitNumber = 0;
inline constexpr int BaudRate = 1;
inline constexpr int DataFormat = 2;

// Cams 1..12: first number of each block of twelve.
inline constexpr int CamStartFirst = 7;
inline constexpr int CamDirectionFirst = 19;    // 0 both, 1 forward, 2 backward
inline constexpr int CamEndFirst = 31;
inline constexpr int CamMinVelocityFirst = 43;  // cam works only at or above this speed
inline constexpr int CamHysteresisFirst = 55;
inline constexpr int CamInvertFirst = 67;
inline constexpr int CamEnableFirst = 79;       // 0 always, 1 while input 1, 2 while input 2
inline constexpr int CamCombination = 91;       // per output: 0 OR, 1 AND
inline constexpr int CamsOnSsiError = 92;       // 0 off, 1 hold
inline constexpr int CamSwitchingTimeFirst = 120;  // 3 decimals (s)
inline constexpr int CamFunctionFirst = 256;
inline constexpr int CamOutputFirst = 268;      // 0 none, 1..4
inline constexpr int CamSourceFirst = 280;
inline constexpr int CamEndSetpointFirst = 292;
inline constexpr int CamStartSetpointFirst = 304;

// Outputs 1..4 and inputs 1..2.
inline constexpr int OutputAdvanceFirst = 94;   // 3 decimals (s)
inline constexpr int OutputLogicFirst = 98;     // 0 normally open, 1 normally closed
inline constexpr int OutputOnErrorFirst = 106;  // 0 off, 1 on, 2 hold, 3 normal
inline constexpr int InputLogicFirst = 110;     // 0 active high, 1 active low
inline constexpr int OutputManualFirst = 132;   // 0 automatic, 1 always off, 2 always on
inline constexpr int InputFunctionFirst = 249;
inline constexpr int OutputFunctionFirst = 252;

// Linearisation.
inline constexpr int LinearisationOutside = 136;  // 0 limit, 1 extrapolate
inline constexpr int LinearisationOffset = 137;
inline constexpr int LinearisationReversed = 139;
inline constexpr int LinearisationXFirst = 140;
inline constexpr int LinearisationYFirst = 170;
inline constexpr int LinearisationMode = 241;     // 0 off, 1 mirror image, 2 point image
inline constexpr int LinearisationSource = 246;   // 0 none, 1 position, 2 velocity
inline constexpr int LinearisationPoints = 247;
inline constexpr int LinearisationDecimals = 248;

// Position input.
inline constexpr int SsiBits = 200;
inline constexpr int SsiCode = 201;
inline constexpr int SsiClock = 202;
inline constexpr int PositionDecimals = 203;
inline constexpr int Direction = 204;           // 0 normal, 1 reversed
inline constexpr int ScaleNumerator = 205;
inline constexpr int ScaleDenominator = 206;
inline constexpr int ZeroOffset = 207;
inline constexpr int PresetValue = 208;
inline constexpr int RangeStart = 209;          // measuring range
inline constexpr int RangeEnd = 210;
inline constexpr int ModuloLength = 216;        // 0 linear axis
inline constexpr int VelocityUnit = 217;        // 0 per second, 1 per minute
inline constexpr int VelocityFilter = 218;      // 3 decimals (s)
inline constexpr int VelocityFactor = 219;      // 3 decimals
inline constexpr int StandstillThreshold = 220;
inline constexpr int VelocityAbsolute = 221;    // 0 signed, 1 absolute

// Analog input and output.
inline constexpr int AnalogInMode = 226;        // 0 voltage, 1 current
inline constexpr int AnalogOutMode = 231;       // 0 off, 1 voltage, 2 current
inline constexpr int AnalogOutSource = 232;     // position, linearised, velocity, peak 1, peak 2
inline constexpr int AnalogOutVoltageRange = 233;  // 0 0..10 V, 1 -10..10 V
inline constexpr int AnalogOutCurrentRange = 234;  // 0 0..20 mA, 1 4..20 mA
inline constexpr int AnalogOutScaleStart = 235;
inline constexpr int AnalogOutScaleEnd = 236;
inline constexpr int AnalogOutOffset = 237;     // 3 decimals, V or mA
inline constexpr int AnalogOutOnError = 238;    // 0 zero, 1 minimum, 2 maximum, 3 hold
inline constexpr int AnalogOutLimiting = 240;   // 0 off, 1 on

// Peak holds: on/off and what they hold.
inline constexpr int PeakHold1On = 242;
inline constexpr int PeakHold1Function = 243;   // 0 max position, 1 min position, 2 max velocity, 3 min velocity
inline constexpr int PeakHold2On = 244;
inline constexpr int PeakHold2Function = 245;

// Cam functions.
inline constexpr int CamOff = 0;
inline constexpr int CamWindow = 1;
inline constexpr int CamAbove = 2;
inline constexpr int CamBelow = 3;
inline constexpr int CamAbovePulse = 4;
inline constexpr int CamBelowPulse = 5;

// Cam sources.
inline constexpr int SourcePosition = 0;
inline constexpr int SourceLinearised = 1;
inline constexpr int SourceVelocity = 2;

// Output functions.
inline constexpr int OutputNone = 0;
inline constexpr int OutputCams = 1;
inline constexpr int OutputErrorMessage = 2;
inline constexpr int OutputSsiError = 3;
inline constexpr int OutputOutsideRange = 4;
inline constexpr int OutputStandstill = 5;
inline constexpr int OutputDirectionForward = 6;

// Input functions.
inline constexpr int InputNone = 0;
inline constexpr int InputResetSsiError = 1;
inline constexpr int InputPresetPosition = 2;
inline constexpr int InputResetPeak1 = 3;
inline constexpr int InputResetPeak2 = 4;
inline constexpr int InputResetPeaks = 5;
inline constexpr int InputLockKeyboard = 6;
inline constexpr int InputLockOutputs = 7;
inline constexpr int InputClearErrors = 8;

}  // namespace ParameterRoles
