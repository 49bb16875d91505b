#pragma once

// Parameter numbers whose meaning the device model relies on. The tool's
// catalogue and windows fix the cam, linearisation, analog and decimals
// roles; the encoder, scaling and analog scaling numbers are this device's.
namespace ParameterRoles {

inline constexpr int Count = 316;
inline constexpr int CamCount = 12;
inline constexpr int OutputCount = 4;
inline constexpr int InputCount = 2;
inline constexpr int SetpointCount = 24;
inline constexpr int MaxLinearisationPoints = 30;

inline constexpr int SsiBits = 0;
inline constexpr int SsiCode = 1;          // 0 binary, 1 Gray
inline constexpr int SsiClock = 2;         // clock rate choice
inline constexpr int Direction = 3;        // 0 counting up, 1 down
inline constexpr int PositionOffset = 4;
inline constexpr int ScaleNumerator = 5;
inline constexpr int ScaleDenominator = 6;
inline constexpr int CamStartFirst = 7;    // 7..18, cams 1..12
inline constexpr int VelocityUnit = 19;    // 0 per second, 1 per minute
inline constexpr int VelocityFilter = 20;  // averaging time in ms
inline constexpr int RangeMinimum = 21;    // measuring range, position units
inline constexpr int RangeMaximum = 22;
inline constexpr int CamEndFirst = 31;     // 31..42
inline constexpr int AnalogOutStart = 43;  // position at 0 V / 4 mA
inline constexpr int AnalogOutEnd = 44;    // position at 10 V / 20 mA
inline constexpr int CamHysteresisFirst = 55;   // 55..66
inline constexpr int OutputAdvanceFirst = 94;   // 94..97, 3 decimals (s)
inline constexpr int SwitchingTimeFirst = 120;  // 120..131, 3 decimals (s)
inline constexpr int LinearisationXFirst = 140; // 140..169
inline constexpr int LinearisationYFirst = 170; // 170..199
inline constexpr int UnitNumber = 200;
inline constexpr int BaudRate = 201;       // 0..8: 1200 .. 115200
inline constexpr int Parity = 202;         // 0 none, 1 odd, 2 even
inline constexpr int PositionDecimals = 203;
inline constexpr int AnalogInMode = 226;   // 0 voltage, 1 current
inline constexpr int AnalogOutMode = 231;  // 0 off, 1 voltage, 2 current
inline constexpr int LinearisationMode = 241;  // 0 table only, 1 mirror, 2 point
inline constexpr int PeakHold1On = 242;
inline constexpr int PeakHold2On = 244;
inline constexpr int LinearisationSource = 246;  // 0 off, 1 position, 2 velocity
inline constexpr int LinearisationPoints = 247;
inline constexpr int LinearisationDecimals = 248;
inline constexpr int InputFunctionFirst = 249;   // 249, 250
inline constexpr int OutputFunctionFirst = 252;  // 252..255
inline constexpr int CamFunctionFirst = 256;     // 256..267
inline constexpr int CamOutputFirst = 268;       // 268..279
inline constexpr int CamSourceFirst = 280;       // 280..291
inline constexpr int CamEndSetpointFirst = 292;  // 292..303
inline constexpr int CamStartSetpointFirst = 304;  // 304..315

// Cam functions (parameters 256..267).
inline constexpr int CamOff = 0;
inline constexpr int CamWindow = 1;
inline constexpr int CamAbove = 2;
inline constexpr int CamBelow = 3;
inline constexpr int CamAbovePulse = 4;
inline constexpr int CamBelowPulse = 5;

// Cam sources (parameters 280..291).
inline constexpr int SourcePosition = 0;
inline constexpr int SourceVelocity = 1;
inline constexpr int SourceLinearised = 2;

// Output functions (parameters 252..255).
inline constexpr int OutputCams = 0;
inline constexpr int OutputCamsInverted = 1;
inline constexpr int OutputError = 2;
inline constexpr int OutputOff = 3;

// Input functions (parameters 249, 250).
inline constexpr int InputNone = 0;
inline constexpr int InputResetPeaks = 1;
inline constexpr int InputResetError = 2;
inline constexpr int InputEnableOutputs = 3;

}  // namespace ParameterRoles
