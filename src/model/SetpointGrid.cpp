#include "model/SetpointGrid.h"

#include "model/Functies.h"
#include "model/ParameterNumbers.h"

namespace {

constexpr char32_t kBackspace = U'\b';
constexpr char32_t kCarriageReturn = U'\r';
// ParseFixed fills the decimals up with zeros; with more than 9 of them no
// text fits the 9 characters it accepts.
constexpr std::int32_t kMaxParsedDecimals = 9;

bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

std::string FormattedSetpoint(int setpoint, const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                              const std::array<std::int32_t, kParameterCount>& parameters) {
  return FormatFixed(kDecimalsOfPositions, setpoints[static_cast<std::size_t>(setpoint)], parameters);
}

}  // namespace

std::optional<int> SetpointOfCell(int column, int row) {
  if (row < 1 || row > kSetpointGridRows) return std::nullopt;
  if (column == kFirstHalfColumn) return row;
  if (column == kSecondHalfColumn) return row + kSetpointGridRows;
  return std::nullopt;
}

bool IsSelectableSetpointCell(int column, int row) { return SetpointOfCell(column, row).has_value(); }

SetpointHeaderText SetpointHeader(int column) {
  switch (column) {
    case 0:
    case 3: return {"Kolomtekst_no", "No"};
    case kFirstHalfColumn:
    case kSecondHalfColumn: return {"Kolomtekst_waarde", "No"};
    default: return {"", ""};
  }
}

std::string SetpointCellText(int column, int row, const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                             const std::array<std::int32_t, kParameterCount>& parameters) {
  if (row < 1 || row > kSetpointGridRows) return {};
  if (column == 0) return std::to_string(row);
  if (column == 3) return std::to_string(row + kSetpointGridRows);
  const auto setpoint = SetpointOfCell(column, row);
  return setpoint ? FormattedSetpoint(*setpoint, setpoints, parameters) : std::string();
}

std::optional<char> FilterSetpointKey(std::string_view cellText, char32_t typed, std::int32_t decimalsOfPositions) {
  if (typed == kBackspace || typed == kCarriageReturn) return static_cast<char>(typed);
  if (typed >= U'0' && typed <= U'9') return static_cast<char>(typed);
  if (typed == U'.' || typed == U',') {
    if (decimalsOfPositions < 1 || Holds(cellText, ',')) return std::nullopt;
    return ',';
  }
  if (typed == U'-' && !Holds(cellText, '-')) return '-';
  return std::nullopt;
}

SetpointEntry EnterSetpointCell(std::string_view cellText, int column, int row,
                                const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                                const std::array<std::int32_t, kParameterCount>& parameters) {
  SetpointEntry entry;
  const auto setpoint = SetpointOfCell(column, row);
  if (!setpoint) return entry;
  entry.Setpoint = *setpoint;
  entry.NextRow = row < kSetpointGridRows ? row + 1 : row;
  const std::int32_t decimals = parameters[ParameterNumber::DecimalsOfPositions];
  const std::int32_t value = decimals > kMaxParsedDecimals
                                 ? BadFormat
                                 : ParseFixed(cellText, decimals, true, kSetpointMinimum, kSetpointMaximum);
  if (value > kRejectedAbove) {
    entry.CellText = FormattedSetpoint(*setpoint, setpoints, parameters);
    entry.NextRow = row;
    return entry;
  }
  entry.Accepted = true;
  entry.Value = value;
  entry.CellText = FormatFixed(kDecimalsOfPositions, value, parameters);
  return entry;
}

std::string RestoredSetpointText(int column, int row, const std::array<std::int32_t, kSetpointCount + 1>& setpoints,
                                 const std::array<std::int32_t, kParameterCount>& parameters) {
  const auto setpoint = SetpointOfCell(column, row);
  return setpoint ? FormattedSetpoint(*setpoint, setpoints, parameters) : std::string();
}
