#include "model/SetpointGrid.h"

#include <gtest/gtest.h>

namespace {

using Parameters = std::array<std::int32_t, kParameterCount>;
using Setpoints = std::array<std::int32_t, kSetpointCount + 1>;

Parameters WithDecimals(std::int32_t decimals) {
  Parameters p{};
  p[203] = decimals;
  return p;
}

Setpoints Numbered() {
  Setpoints s{};
  for (int n = 1; n <= kSetpointCount; ++n) s[static_cast<std::size_t>(n)] = n * 100;
  return s;
}

TEST(SetpointGrid, CellsShowSetpointsInTwoHalves) {
  EXPECT_EQ(SetpointOfCell(1, 3), 3);
  EXPECT_EQ(SetpointOfCell(4, 3), 15);
  EXPECT_EQ(SetpointOfCell(4, 12), 24);
  for (const auto& [column, row] : {std::pair{0, 1}, {2, 1}, {3, 1}, {1, 0}, {1, 13}, {5, 1}}) {
    SCOPED_TRACE(std::to_string(column) + "," + std::to_string(row));
    EXPECT_FALSE(IsSelectableSetpointCell(column, row));
  }
  const Parameters p = WithDecimals(2);
  EXPECT_EQ(SetpointCellText(0, 3, Numbered(), p), "3");
  EXPECT_EQ(SetpointCellText(1, 3, Numbered(), p), "3,00");
  EXPECT_EQ(SetpointCellText(2, 3, Numbered(), p), "");
  EXPECT_EQ(SetpointCellText(3, 3, Numbered(), p), "15");
  EXPECT_EQ(SetpointCellText(4, 3, Numbered(), p), "15,00");
  EXPECT_STREQ(SetpointHeader(3).Key, "Kolomtekst_no");
  EXPECT_STREQ(SetpointHeader(4).Key, "Kolomtekst_waarde");
  EXPECT_STREQ(SetpointHeader(2).Key, "");
}

TEST(SetpointGrid, KeyFilter) {
  struct {
    const char* cell;
    char32_t typed;
    std::int32_t decimals;
    std::optional<char> expected;
  } const cases[] = {
      {"12", U'5', 2, '5'},          {"12", U'.', 2, ','},          {"12", U',', 0, std::nullopt},
      {"1,2", U',', 2, std::nullopt}, {"-1", U'-', 2, std::nullopt}, {"1", U'-', 2, '-'},
      {"1", U'\b', 2, '\b'},          {"1", U'\r', 2, '\r'},         {"1", U'x', 2, std::nullopt},
      {"1", U'\u00e9', 2, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.cell) + " " + std::to_string(static_cast<int>(c.typed)));
    EXPECT_EQ(FilterSetpointKey(c.cell, c.typed, c.decimals), c.expected);
  }
}

TEST(SetpointGrid, EnterStoresParsedValuesAndMovesDown) {
  struct {
    const char* text;
    std::int32_t decimals;
    int column, row;
    bool accepted;
    int setpoint;
    std::int32_t value;
    const char* cell;
    int nextRow;
  } const cases[] = {
      {"12", 2, 1, 1, true, 1, 1200, "12,00", 2},
      {"12,5", 2, 1, 1, true, 1, 1250, "12,50", 2},
      {"-10000000", 0, 1, 1, false, 1, 0, "100", 1},  // below the minimum: the cell shows the stored value
      {"99999999", 0, 4, 3, true, 15, 99999999, "99999999", 4},
      {"7", 0, 4, 12, true, 24, 7, "7", 12},
      {"1-2", 0, 1, 2, false, 2, 0, "200", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const SetpointEntry e = EnterSetpointCell(c.text, c.column, c.row, Numbered(), WithDecimals(c.decimals));
    EXPECT_EQ(e.Accepted, c.accepted);
    EXPECT_EQ(e.Setpoint, c.setpoint);
    EXPECT_EQ(e.Value, c.value);
    EXPECT_EQ(e.CellText, c.cell);
    EXPECT_EQ(e.NextRow, c.nextRow);
  }
  EXPECT_EQ(EnterSetpointCell("1", 2, 1, Numbered(), WithDecimals(0)).Setpoint, 0);
  // Absurd decimals from a device: refused at once rather than padded to billions of zeros.
  EXPECT_FALSE(EnterSetpointCell("5", 1, 1, Numbered(), WithDecimals(2000000000)).Accepted);
}

TEST(SetpointGrid, EscapeShowsTheStoredValueOfTheCell) {
  EXPECT_EQ(RestoredSetpointText(4, 3, Numbered(), WithDecimals(1)), "150,0");
  EXPECT_EQ(RestoredSetpointText(1, 3, Numbered(), WithDecimals(0)), "300");
  EXPECT_EQ(RestoredSetpointText(0, 3, Numbered(), WithDecimals(0)), "");
}

}  // namespace
