#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/BackupFile.h"
#include "model/ParameterGrid.h"
#include "model/ValueFile.h"
#include "model/ValueTransfer.h"

// Two sets of device values side by side, row by row: the parameter
// editor's table against the device, a file or the catalogue defaults, one
// file against another, what was written against what the device holds.

// Where the values of one side came from.
enum class CompareSource { Device, Tables, File, Defaults };

struct CompareSide {
  CompareSource source = CompareSource::Tables;
  DeviceContent content;
  bool parameters = true;   // the side holds parameters 0 .. 315
  bool setpoints = false;   // the side holds setpoints 1 .. 24
  std::optional<int> unit;  // the unit its values belong to, when known
  std::string deviceType;   // the type of the device they came from ("VQ22"), when known
};

// One compared parameter or setpoint.
struct ComparisonRow {
  TransferStep item;        // the parameter or setpoint
  std::string number;       // "007"
  std::string name;         // in the catalogue's language; empty for a setpoint
  std::string position;     // where the editor shows the parameter ("1.2.3"), empty when nowhere
  std::string a, b;         // each side's value with its decimals, or its option text
  std::int32_t aRaw = 0, bRaw = 0;
  bool differs = false;
  bool aOutsideLimits = false, bOutsideLimits = false;  // beyond the catalogue's minimum or maximum
};

struct Comparison {
  std::vector<ComparisonRow> rows;  // every item both sides hold: parameters, then setpoints
  int compared = 0, different = 0, equal = 0;
  bool otherUnit = false;  // the sides belong to different units
  bool otherType = false;  // the sides came from different device types
};

// A side as a file gives it, by its extension: a .bak (parameters and
// setpoints; the unit is its parameter 0), a .vqs (setpoints, the header's
// unit) or else a .vqp (parameters, the header's unit). The file is read
// and checked whole; a backup of the wrong size or with wrong markers reads
// as WrongHeader (not this kind of file).
struct CompareFileRead : ValueFileStatus {
  CompareSide side;  // when Loaded
};
CompareFileRead LoadCompareFile(const std::string& path);
// The catalogue defaults as a side (parameters only).
CompareSide DefaultsSide(const IniDocument& catalogue);

// Compares what both sides hold. A side without parameters (a setpoint file)
// shows its setpoints with the other side's decimals.
Comparison Compare(const CompareSide& a, const CompareSide& b, const EditorCatalogues& catalogues);
// The rows of chosen items only: a written set against the values read back.
Comparison CompareItems(const std::vector<TransferStep>& items, const DeviceContent& a, const DeviceContent& b,
                        const EditorCatalogues& catalogues);
// The rows of what the device holds otherwise than written (a = written, b = held).
Comparison CompareHeldOtherwise(const std::vector<HeldOtherwise>& held, const DeviceContent& written,
                                const EditorCatalogues& catalogues);

// The items of the differing rows, in order.
std::vector<TransferStep> DifferingItems(const Comparison& comparison);

// Rows chosen by a person (one flag per row): their items, and whether any
// holds a value beyond its limits on the side that would go (A when sent
// to the device, B when taken over into the table). Such a row must be
// unchecked first.
std::vector<TransferStep> CheckedItems(const Comparison& comparison, const std::vector<bool>& checked);
bool CheckedOutsideLimits(const Comparison& comparison, const std::vector<bool>& checked, bool sideA);
