#pragma once

#include <string>

#include "DeviceMemory.h"
#include "platform/IniDocument.h"

// The state file: per unit, a section "unit N" with the written and the
// active parameter set, the setpoints and the EEPROM calibration words, each
// a comma list. Sections of units not served in this run are kept.
class StateStore {
public:
  explicit StateStore(std::string path) : path_(std::move(path)) {}

  // Reads the file. A missing file is no error; an unreadable one gives a
  // warning in *warning and an empty state. Never fails otherwise.
  void Load(std::string* warning);

  // The saved memory of the unit; defaults for what is missing or corrupt.
  DeviceMemory UnitMemory(int unitNumber, const ParameterLimits& limits) const;

  void SetUnit(int unitNumber, const std::string& type, const DeviceMemory& memory);
  // Writes the file atomically (temporary file, then rename).
  bool Save(std::string* error) const;

  const std::string& path() const { return path_; }

private:
  std::string path_;
  IniDocument document_;
};
