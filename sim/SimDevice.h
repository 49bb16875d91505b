#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "AxisModel.h"
#include "CamEngine.h"
#include "DeviceCommand.h"
#include "DeviceMemory.h"
#include "PeakHolds.h"
#include "SimClock.h"

// Error replies of the device (the value after "er").
namespace DeviceErrorReply {
inline constexpr int UnknownCommand = 1;  // code not known
inline constexpr int BadSyntax = 2;       // argument missing, extra or not a whole number
inline constexpr int Refused = 7;         // number or value outside its range
}  // namespace DeviceErrorReply

// Error numbers of "rf".
namespace DeviceErrorNumber {
inline constexpr int None = -1;
inline constexpr int SsiNoSignal = 10;
inline constexpr int SsiDataError = 11;
inline constexpr int OutsideMeasuringRange = 12;
}  // namespace DeviceErrorNumber

struct SimDeviceSetup {
  int unitNumber = 0;
  std::string type = "VQ22";
  ParameterLimits limits = BuiltInLimits();
  MotionProfile motion;
  double analogInVolts = 5.0;
  double analogInMilliamps = 12.0;
};

// One VQ2x unit: answers a command line with its reply text (without the
// line end). Selection on the line is the bus's business; a unit answers
// whatever reaches it.
class SimDevice {
public:
  SimDevice(const SimDeviceSetup& setup, const DeviceMemory& memory, SimTime start);

  std::string Execute(const DeviceCommand& command, SimTime now);

  // Controls from outside the line (operator console, script).
  // The level at input terminal 1 or 2; what it does follows parameters
  // 110/111 (active high or low) and 249/250 (function).
  void SetInput(int input, bool on, SimTime now);
  bool Input(int input) const { return inputs_[input - 1]; }
  // 10 or 11: latched until "wf" (or an input with the reset function); -1 clears.
  void InjectSsiFault(int errorNumber, SimTime now);
  void SetAnalogInput(double volts, double milliamps);
  void SetLongIdentification(bool on) { longIdentification_ = on; }
  // A written value beyond its limits is stored as the nearest limit, and
  // the write answered as if it had been taken.
  void SetClampWrites(bool on) { clampWrites_ = on; }

  int unitNumber() const { return unitNumber_; }
  const std::string& type() const { return type_; }
  const DeviceMemory& memory() const { return memory_; }
  // Grows with every change of what persists, so the owner knows when to save.
  std::uint64_t memoryRevision() const { return memoryRevision_; }

  // Live state at a moment, for the operator's status line and tests.
  int ErrorNumber(SimTime now);
  unsigned Outputs(SimTime now);
  AxisSample Sample(SimTime now);

private:
  using Handler = std::string (SimDevice::*)(const DeviceCommand&, SimTime);
  static std::optional<Handler> FindHandler(const std::string& code);

  // Identification and live values (SimDeviceReads.cpp).
  std::string Select(const DeviceCommand&, SimTime);
  std::string ReadType(const DeviceCommand&, SimTime);
  std::string ReadHardware(const DeviceCommand&, SimTime);
  std::string ReadSerial(const DeviceCommand&, SimTime);
  std::string ReadLive(const DeviceCommand&, SimTime);
  std::string ReadError(const DeviceCommand&, SimTime);
  std::string ResetError(const DeviceCommand&, SimTime);
  std::int64_t LiveValue(char which);
  std::int64_t AnalogOutputVoltage();
  std::int64_t AnalogOutputCurrent();
  std::optional<double> NormalOutputFraction();  // no value: output off by error (zero)
  double AnalogSource() const;
  std::int32_t AnalogInputRaw() const;

  // Parameters and setpoints (SimDeviceParameters.cpp).
  std::string ReadParameter(const DeviceCommand&, SimTime);
  std::string WriteParameter(const DeviceCommand&, SimTime);
  std::string ReadSetpoint(const DeviceCommand&, SimTime);
  std::string WriteSetpoint(const DeviceCommand&, SimTime);
  std::string Compute(const DeviceCommand&, SimTime);

  // Calibration (SimDeviceCalibration.cpp).
  std::string CalibrationMode(const DeviceCommand&, SimTime);
  std::string OutputFunction(const DeviceCommand&, SimTime);
  std::string DriveOutput(const DeviceCommand&, SimTime);
  std::string ReadWord(const DeviceCommand&, SimTime);
  std::string WriteWord(const DeviceCommand&, SimTime);
  std::string StoreWords(const DeviceCommand&, SimTime);

  void Update(SimTime now);
  void HandleInputEdges(SimTime now);
  void RunInputFunction(int function, SimTime now);
  bool InputActive(int index) const;  // index 0 or 1
  bool OutputsLocked() const;
  int CurrentError() const;
  unsigned OutputStage(unsigned camBits);
  bool OutputFunctionState(int function, unsigned camBit) const;
  const ParameterValues& active() const { return memory_.active; }
  void MemoryChanged() { ++memoryRevision_; }

  int unitNumber_;
  std::string type_;
  ParameterLimits limits_;
  DeviceMemory memory_;
  AxisModel axis_;
  PeakHolds peaks_;
  CamEngine cams_;
  CalibrationWords words_;  // working copy; "ks" stores it in memory_.eeprom
  bool calibrationMode_ = false;
  int outputFunction_ = 0;  // "kf" while in calibration mode
  std::int64_t driveValue_ = 0;  // "ka"
  double analogInVolts_;
  double analogInMilliamps_;
  bool inputs_[2] = {false, false};        // terminal levels
  bool inputWasActive_[2] = {false, false};
  int latchedFault_ = DeviceErrorNumber::None;
  std::optional<AxisSample> frozen_;  // position held while the encoder fails
  AxisSample sample_;
  unsigned outputs_ = 0;         // at the terminals ("ru")
  unsigned logicalOutputs_ = 0;  // before the normally-closed inversion; held on error or lock
  double heldFraction_ = 0;      // analog output held on error
  bool longIdentification_ = false;
  bool clampWrites_ = false;
  std::uint64_t memoryRevision_ = 0;
};

// Reply helpers: "code value" and the error reply "er n".
std::string Reply(const std::string& code, std::int64_t value);
std::string ErrorReply(int code);
