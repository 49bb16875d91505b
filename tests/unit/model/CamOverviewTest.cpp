#include "model/CamOverview.h"

#include <gtest/gtest.h>

#include "model/ParameterNumbers.h"

namespace {

namespace P = ParameterNumber;
using Table = std::array<std::int32_t, kParameterCount>;
using Setpoints = std::array<std::int32_t, kSetpointCount + 1>;

const IniDocument kCatalogue = IniDocument::FromText(R"([256]
opties0=Uit,Nok,">G","<G"
[280]
opties0=Pos,Snelh
[304]
opties0=Nee,S1,S2,S3
[292]
opties0=#304
)");

void SetCam(Table& p, int cam, std::int32_t function, std::int32_t output) {
  p[P::CamFunction(cam)] = function;
  p[P::CamOutput(cam)] = output;
}

TEST(CamOverview, FunctionColoursOfTheLegend) {
  struct Row { std::int32_t function; std::optional<RgbColour> colour; };
  for (const Row& row : {Row{0, std::nullopt}, Row{1, RgbColour{255, 0, 0}}, Row{2, RgbColour{0, 255, 0}},
                         Row{3, RgbColour{255, 255, 0}}, Row{4, RgbColour{255, 0, 255}}, Row{5, RgbColour{0, 255, 255}},
                         Row{6, std::nullopt}, Row{-1, std::nullopt}}) {
    SCOPED_TRACE(row.function);
    EXPECT_EQ(CamFunctionColour(row.function), row.colour);
  }
}

TEST(CamOverview, HeaderTexts) {
  EXPECT_EQ(CamGridText(1, 0, std::nullopt), "1");
  EXPECT_EQ(CamGridText(12, 0, "Uitg"), "12");
  EXPECT_EQ(CamGridText(0, 1, "Uitg"), "Uitg-1");
  EXPECT_EQ(CamGridText(0, 4, std::nullopt), "4");
  EXPECT_EQ(CamGridText(0, 0, "Uitg"), "");
  EXPECT_EQ(CamGridText(3, 2, "Uitg"), "");
  EXPECT_EQ(CamGridText(13, 0, std::nullopt), "");
  EXPECT_EQ(CamGridText(0, 5, "Uitg"), "");
}

TEST(CamOverview, EachCamColoursOnlyTheRowOfItsOutput) {
  Table p{};
  SetCam(p, 1, 1, 2);
  SetCam(p, 2, 4, 2);  // a second cam on the same output
  SetCam(p, 3, 0, 1);  // not in use
  SetCam(p, 4, 2, 5);  // no such output
  SetCam(p, 5, 9, 3);  // no such function
  for (int row = 0; row < kCamGridRows; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(CamCellColour(p, 1, row), row == 2 ? std::optional(RgbColour{255, 0, 0}) : std::nullopt);
    EXPECT_EQ(CamCellColour(p, 2, row), row == 2 ? std::optional(RgbColour{255, 0, 255}) : std::nullopt);
    for (int column : {0, 3, 4, 5, 13}) EXPECT_EQ(CamCellColour(p, column, row), std::nullopt) << column;
  }
}

TEST(CamOverview, CamWindowWithStartFromASetpoint) {
  Table p{};
  Setpoints s{};
  p[P::DecimalsOfPositions] = 2;
  SetCam(p, 1, 1, 3);
  p[P::CamSource(1)] = 1;
  p[P::CamStartSetpoint(1)] = 3;
  s[3] = 12345;
  p[P::CamStart(1)] = 999;  // not used: the start comes from setpoint 3
  p[P::CamEnd(1)] = -50;
  p[P::CamHysteresis(1)] = 7;
  p[P::CamSwitchingTime(1)] = 1500;
  p[P::OutputAdvance(3)] = 25;
  const CamPanelTexts expected{"1", "Nok", "Snelh", "123,45", "S3", "-0,50", "Nee", "0,07", "1,500", "0,025"};
  EXPECT_EQ(CamCellTexts(p, s, &kCatalogue, 0, 1, 3), expected);
  EXPECT_EQ(CamCellTexts(p, s, &kCatalogue, 0, 1, 2), CamPanelTexts{});  // another output's row
}

TEST(CamOverview, LimitCamsBadSelectionsAndUnusedCams) {
  Table p{};
  const Setpoints s{};
  SetCam(p, 1, 2, 1);
  p[P::CamSource(1)] = 2;          // one past the options
  p[P::CamStartSetpoint(1)] = 25;  // no such setpoint
  const CamPanelTexts limit = CamCellTexts(p, s, &kCatalogue, 0, 1, 1);
  EXPECT_EQ(limit.Functie, ">G");
  EXPECT_EQ(limit.Bron, "########");
  EXPECT_EQ(limit.Aanvang, "---");
  EXPECT_EQ(limit.SelectAanvang, "########");
  EXPECT_EQ(limit.Einde, "---");
  EXPECT_EQ(limit.SelectEinde, "---");

  p[P::CamStartSetpoint(1)] = -1;
  EXPECT_EQ(CamCellTexts(p, s, &kCatalogue, 0, 1, 1).Aanvang, "---");
  const CamPanelTexts noCatalogue = CamCellTexts(p, s, nullptr, 0, 1, 1);
  EXPECT_EQ(noCatalogue.Functie, "");
  EXPECT_EQ(noCatalogue.NokNummer, "1");

  SetCam(p, 2, 0, 1);
  EXPECT_EQ(CamCellTexts(p, s, &kCatalogue, 0, 2, 1), CamPanelTexts{});
  SetCam(p, 3, 1, 0);
  EXPECT_EQ(CamCellTexts(p, s, &kCatalogue, 0, 3, 0), CamPanelTexts{});  // the header row selects nothing
}

}  // namespace
