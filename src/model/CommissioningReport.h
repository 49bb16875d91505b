#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/BackupFile.h"
#include "model/DeviceWordsRead.h"
#include "model/ParameterGrid.h"
#include "model/TreeFile.h"

// How a device was left, for the machine's file and for the customer: what
// sets it apart from a device fresh from the factory, and a fingerprint of
// its backup file so the report and a .bak can be matched.

// Everything a report is made from: the device as read, where and when, and
// the catalogue and tree it is shown with.
struct ReportSource {
  DeviceContent content;
  DeviceWords words{};
  int unit = 0;
  std::string type, hardware, serial;  // the texts the unit answered "rt", "rh" and "rx" with
  std::string port;                    // "/dev/ttyUSB0", "COM1 (/dev/ttyS0)"
  std::string lineSettings;            // "9600,E,8,1"
  std::string toolVersion;
  std::string dateTime;                // when it was read, as the reader shows dates
  EditorCatalogues catalogues;         // the parameter catalogue may be absent
  const TreeFile* tree = nullptr;      // null: no tree file
};

struct ReportedParameter {
  int number = 0;
  std::string position;  // "1.2.3" as in the editor; empty for a parameter no node shows
  ShownParameter shown;
  std::int32_t raw = 0;
  std::int32_t defaultRaw = 0;
  std::string defaultValue, defaultOption;  // with the same decimals and option list
};

// A node of the editor's tree ("group" or "group > subgroup") and the
// parameters of it that differ from their defaults.
struct ReportedGroup {
  std::string heading;  // empty: parameters that no node of the tree shows
  std::vector<ReportedParameter> parameters;
};

struct ReportedSetpoint {
  int number = 0;
  std::int32_t raw = 0;
  std::string value;  // with the decimals of positions
};

struct ReportedWord {
  std::int32_t address = 0;
  std::string meaning;  // "DA Spanning Offset", "Smin spanning"; empty for a reserved word
  std::int32_t value = 0;
};

struct ReportedPoint {
  int point = 0;
  std::string x, y;  // with the decimals of positions and of linearised values
};

// A cam in use (function not 0): what it does, the output it switches and
// where it takes its start and end from.
struct ReportedCam {
  int cam = 0;
  std::string function;
  std::int32_t output = 0;
  std::string source, start, end;  // as the cam overview shows them ("---" for no end)
};

struct CommissioningReport {
  std::string dateTime, toolVersion, port, lineSettings;
  int unit = 0;
  std::string type, hardware, serial;
  std::vector<ReportedGroup> groups;  // in tree order; each parameter once
  std::vector<ReportedSetpoint> setpoints;  // 1 .. 24
  std::vector<ReportedWord> words;          // 2028 .. 2045
  bool linearisationOn = false;             // its source (parameter 246) is not 0
  std::vector<ReportedPoint> linearisation;  // its points, when on
  std::vector<ReportedCam> cams;
  std::string backupSha256;  // of the .bak file this content makes

  std::size_t ChangedCount() const;
};

// A parameter differs when its value is not the catalogue's "default" (0
// without a catalogue). Groups follow the tree, depth first; a parameter
// shown in several nodes is reported in the first; differing parameters no
// node shows end the list in a group without heading.
CommissioningReport BuildCommissioningReport(const ReportSource& source);
