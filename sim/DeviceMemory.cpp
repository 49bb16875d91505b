#include "DeviceMemory.h"

DeviceMemory DeviceMemory::Defaults(const ParameterLimits& limits) {
  DeviceMemory memory;
  for (int n = 0; n < ParameterRoles::Count; ++n) memory.written[n] = limits[n].defaultValue;
  memory.active = memory.written;
  memory.setpoints = DefaultSetpoints();
  memory.eeprom = DefaultCalibrationWords();
  return memory;
}

SetpointValues DefaultSetpoints() {
  SetpointValues setpoints{};
  for (int n = 1; n <= ParameterRoles::SetpointCount; ++n) setpoints[n] = n * 400;
  return setpoints;
}

CalibrationWords DefaultCalibrationWords() {
  CalibrationWords words{};
  // Teach values of the analog output: DAC counts at the ends of the voltage
  // and current ranges, as a factory calibration would leave them.
  words[0] = 327;
  words[1] = 65208;
  words[2] = 13107;
  words[3] = 65535;
  return words;
}
