#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Global_var.h"

// The setpoint editor's grid: 12 rows below a header row; row r shows
// setpoint r in column 1 and setpoint r + 12 in column 4, their numbers in
// columns 0 and 3; column 2 is an empty spacer. Only the value columns can
// be selected and edited.

constexpr int kSetpointGridRows = 12;  // data rows 1 .. 12 below header row 0
constexpr int kSetpointGridColumns = 5;
constexpr int kFirstHalfColumn = 1;   // setpoints 1 .. 12; right arrow goes to column 4
constexpr int kSecondHalfColumn = 4;  // setpoints 13 .. 24; left arrow goes to column 1

// Values of the setpoints are entered within these limits.
constexpr std::int32_t kSetpointMinimum = -9999999;
constexpr std::int32_t kSetpointMaximum = 99999999;

// The setpoint a cell shows, or none (number, spacer and header cells, and
// cells outside the grid).
std::optional<int> SetpointOfCell(int column, int row);
bool IsSelectableSetpointCell(int column, int row);

// Section "EditSollwert" key and built-in default of a header cell; column
// 2 has no title (empty key).
struct SetpointHeaderText {
  const char* Key;
  const char* Default;
};
SetpointHeaderText SetpointHeader(int column);

// The text of data cell (column, row): the setpoint numbers in columns 0 and
// 3, the values formatted with decimals code 9 in columns 1 and 4, empty
// otherwise.
std::string SetpointCellText(int column, int row, const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                             const std::array<std::int32_t, kParameterCount>& parameters);

// The key filter of the in-place editor for one typed character, given the
// value of parameter 203: the character to insert, or none when it is
// dropped. Backspace and carriage return pass; "." becomes ","; "," is
// dropped without decimals or when the cell has one; "-" is dropped when the
// cell has one; anything other than digits is dropped.
std::optional<char> FilterSetpointKey(std::string_view cellText, char32_t typed, std::int32_t decimalsOfPositions);

// Enter in a value cell.
struct SetpointEntry {
  bool Accepted = false;  // false: Panel1 shows "Msg_SollwertOngeldig", the table stays as it is
  int Setpoint = 0;       // the setpoint of the cell (0 for a cell that shows none)
  std::int32_t Value = 0;  // the raw value to store when accepted
  std::string CellText;   // what the cell shows afterwards: the stored or the unchanged value, formatted
  int NextRow = 0;        // accepted: one row down, row 12 stays; refused: the same row
};
// Parses the cell text with the decimals of parameter 203, a sign allowed,
// within kSetpointMinimum .. kSetpointMaximum.
SetpointEntry EnterSetpointCell(std::string_view cellText, int column, int row,
                                const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                                const std::array<std::int32_t, kParameterCount>& parameters);

// Escape (and an invalid entry): the formatted value of the setpoint the
// cell shows.
std::string RestoredSetpointText(int column, int row, const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                                 const std::array<std::int32_t, kParameterCount>& parameters);
