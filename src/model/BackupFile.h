#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Global_var.h"

// The backup file ("*.bak") of a whole device: exactly 16020 bytes of
// signed 32-bit fields, least significant byte first:
//   offset     0  start marker 11442233, twice
//   offset     8  2001 parameter slots; slot n holds parameter n (0 .. 315), the rest 0
//   offset  8012  2000 setpoint slots; slot k holds setpoint k + 1 (0 .. 23), the rest 0
//   offset 16012  end marker 123456789, twice
// The values are the device's raw whole numbers, without scaling.
constexpr std::size_t kBackupFileSize = 16020;
constexpr std::int32_t kBackupStartMarker = 11442233;
constexpr std::int32_t kBackupEndMarker = 123456789;
constexpr std::size_t kBackupParameterOffset = 8;
constexpr std::size_t kBackupParameterSlots = 2001;
constexpr std::size_t kBackupSetpointOffset = 8012;
constexpr std::size_t kBackupSetpointSlots = 2000;
constexpr std::size_t kBackupEndOffset = 16012;

// Everything a backup holds: the 316 parameters and setpoints 1 .. 24,
// indexed like ParameterTable and SetpointTable so callers copy them whole.
struct DeviceContent {
  std::array<std::int32_t, kParameterCount> parameters{};
  std::array<std::int32_t, kSetpointCount + 1> setpoints{};  // index 1 .. 24; 0 unused
  bool operator==(const DeviceContent&) const = default;
};

enum class BackupOutcome {
  Loaded,        // the content is in the result
  CannotOpen,    // the file cannot be opened or read; systemText says why
  WrongSize,     // not exactly 16020 bytes
  WrongMarkers,  // one of the four markers differs: not a backup file
};

struct BackupRead {
  BackupOutcome outcome = BackupOutcome::Loaded;
  std::string systemText;  // CannotOpen: the file's name and the system's text for the failure
  DeviceContent content;   // when Loaded; setpoints[0] is 0
  bool Loaded() const { return outcome == BackupOutcome::Loaded; }
};

// The 16020 bytes of a content; setpoints[0] is not stored.
std::string BackupFileBytes(const DeviceContent& content);

// Total: any bytes give a result. Slots beyond parameter 315 and beyond
// setpoint 24 are ignored.
BackupRead ReadBackupFile(std::string_view bytes);

// Reads at most a few bytes more than a backup has, so a huge file is
// refused as WrongSize without being read.
BackupRead LoadBackupFile(const std::string& path);

// Written to a temporary file and renamed into place, so a failed save
// never destroys an existing backup; *error holds the file's name and the
// system's text.
bool SaveBackupFile(const std::string& path, const DeviceContent& content, std::string* error = nullptr);
