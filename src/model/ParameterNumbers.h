#pragma once

// The few parameters whose meaning the program itself knows; everything else
// about a parameter comes from the catalogue files. Numbers index
// ParameterTable (0 .. 315). Cams are numbered 1 .. 12, outputs 1 .. 4,
// linearisation points 1 .. 30.
namespace ParameterNumber {

// The unit's identity on its line: its unit number, baud rate and data
// format (the framing it answers at).
constexpr int UnitNumber = 0;
constexpr int LineBaudrate = 1;
constexpr int LineDataFormat = 2;

// Start value of a cam, used when its start is not taken from a setpoint.
constexpr int CamStart(int cam) { return 6 + cam; }
// End value of a cam window, used when its end is not taken from a setpoint.
constexpr int CamEnd(int cam) { return 30 + cam; }
constexpr int CamHysteresis(int cam) { return 54 + cam; }
// Advance of an output, in milliseconds with 3 decimals.
constexpr int OutputAdvance(int output) { return 93 + output; }
// Switching time of a cam, with 3 decimals.
constexpr int CamSwitchingTime(int cam) { return 119 + cam; }

// Linearisation table: X and Y of point 1 .. 30.
constexpr int LinearisationX(int point) { return 139 + point; }
constexpr int LinearisationY(int point) { return 169 + point; }
constexpr int kLinearisationPoints = 30;

// Decimals of positions, velocities, peak holds and setpoints (decimals code 9).
constexpr int DecimalsOfPositions = 203;
// Analog input mode: 0 voltage, 1 current.
constexpr int AnalogInputMode = 226;
// Analog output mode: 1 voltage, 2 current.
constexpr int AnalogOutputMode = 231;
// Linearisation mode: 0 off, 1 mirror image, 2 point image.
constexpr int LinearisationMode = 241;
// Peak hold 1 and 2 in use when not 0.
constexpr int PeakHold1 = 242;
constexpr int PeakHold2 = 244;
// Linearisation source; linearised position in use when not 0.
constexpr int LinearisationSource = 246;
// Number of linearisation points in use.
constexpr int LinearisationPointCount = 247;
// Decimals of linearised positions and values (decimals code 10).
constexpr int DecimalsOfLinearisation = 248;

// Function of input 1, 2 and of output 1 .. 4.
constexpr int InputFunction(int input) { return 248 + input; }
constexpr int OutputFunction(int output) { return 251 + output; }

// Per cam: function (0 off, 1 cam window, 2 .. 5 limit values), output it
// switches (1 .. 4), source, and the setpoint its end or start is taken from
// (0: none, n: setpoint n).
constexpr int CamFunction(int cam) { return 255 + cam; }
constexpr int CamOutput(int cam) { return 267 + cam; }
constexpr int CamSource(int cam) { return 279 + cam; }
constexpr int CamEndSetpoint(int cam) { return 291 + cam; }
constexpr int CamStartSetpoint(int cam) { return 303 + cam; }
constexpr int kCams = 12;
constexpr int kOutputs = 4;

// Written as line S000 of a setpoint file.
constexpr int SetpointFileExtra = 315;

}  // namespace ParameterNumber
