// The main window's reply handling, live values, error display and
// function labels, without a window.
#include <gtest/gtest.h>

#include "model/ErrorPoll.h"
#include "model/FunctionLabels.h"
#include "model/LiveValues.h"
#include "model/DeviceReply.h"

namespace {

ResultBytes Bytes(const std::string& s) { return ResultBytes(s.begin(), s.end()); }
using Table = std::array<std::int32_t, kParameterCount>;

TEST(ReplyValue, IsTheTextBetweenTheEchoAndTheLineEnd) {
  EXPECT_EQ(ReplyValue(Bytes("rt VQ22 V2.1\r\n")), "VQ22 V2.1");
  EXPECT_EQ(ReplyValue(Bytes("rf -1\r\n")), "-1");
  EXPECT_EQ(ReplyValue(Bytes("rt X\r\n")), "X");
  EXPECT_EQ(ReplyValue(Bytes("rt \r\n")), "");  // five bytes
  EXPECT_EQ(ReplyValue(Bytes("sc")), "");
  EXPECT_EQ(ReplyValue(Bytes("")), "");
}

TEST(ReplyValue, LongRepliesAreCutToTheCopyNeverReadPast) {
  const std::string longReply = "rh " + std::string(200, 'a') + "\r\n";
  EXPECT_EQ(ReplyValue(Bytes(longReply)).size(), 95u);
  EXPECT_EQ(ReplyValue(Bytes("r4 123456789012345678901\r\n"), kShortReplyCopyLimit), "123456789012345");
}

TEST(ReplyLines, BreaksAtLineEnds) {
  EXPECT_EQ(ReplyLines(Bytes("rt VQ22\r\nsecond\rthird\nend")), "rt VQ22\nsecond\nthird\nend");
}

TEST(LiveValues, PositionWithTwoDecimals) {
  Table p{};
  p[203] = 2;
  EXPECT_EQ(LiveValueText(LiveQuantity::ActPos, "-7", p), "-0,07");
  p[203] = 0;
  EXPECT_EQ(LiveValueText(LiveQuantity::ActPos, "-7", p), "-7");
}

TEST(LiveValues, AnalogValuesHaveFourDecimalsAndUnits) {
  const Table p{};
  EXPECT_EQ(LiveValueText(LiveQuantity::Spanning_uit, "12345", p), "1,2345 V");
  EXPECT_EQ(LiveValueText(LiveQuantity::Stroom_in, "-5", p), "-0,0005 mA");
  EXPECT_EQ(LiveValueText(LiveQuantity::Analoog_in_AWE, "1023 raw", p), "1023 raw");
}

TEST(LiveValues, LinearisedPositionUsesParameter248) {
  Table p{};
  p[203] = 1;
  p[248] = 3;
  EXPECT_EQ(LiveValueText(LiveQuantity::ActPosLin, "1500", p), "1,500");
  EXPECT_EQ(LiveValueText(LiveQuantity::Snelheid, "1500", p), "150,0");
}

TEST(LiveValues, NotANumberShowsQuestionMarks) {
  const Table p{};
  EXPECT_EQ(LiveValueText(LiveQuantity::ActPos, "abc", p), "????");
  EXPECT_EQ(LiveValueText(LiveQuantity::ActPos, "", p), "????");
  EXPECT_EQ(LiveValueText(LiveQuantity::Spanning_in, "1.5", p), "????");
}

TEST(LiveValues, Vq22PollsTheAnalogInputNotTheOutput) {
  Table p{};
  p[231] = 1;
  p[226] = 0;
  const auto vq22 = QuantitiesToPoll(p, "VQ22");
  EXPECT_EQ(vq22, (std::vector<LiveQuantity>{LiveQuantity::ActPos, LiveQuantity::Snelheid, LiveQuantity::Spanning_in,
                                             LiveQuantity::Analoog_in_AWE}));
  const auto vq20 = QuantitiesToPoll(p, "VQ20");
  EXPECT_EQ(vq20, (std::vector<LiveQuantity>{LiveQuantity::ActPos, LiveQuantity::Snelheid, LiveQuantity::Spanning_uit}));
}

TEST(LiveValues, OptionalQuantitiesFollowTheirParameters) {
  Table p{};
  p[246] = 1;
  p[242] = 1;
  p[244] = 1;
  p[231] = 2;
  p[226] = 1;
  EXPECT_EQ(QuantitiesToPoll(p, "VQ21"),
            (std::vector<LiveQuantity>{LiveQuantity::ActPos, LiveQuantity::Snelheid, LiveQuantity::ActPosLin,
                                       LiveQuantity::ActPeakHold1, LiveQuantity::ActPeakHold2, LiveQuantity::Stroom_uit}));
  EXPECT_EQ(QuantitiesToPoll(p, "VQ22").back(), LiveQuantity::Analoog_in_AWE);
  EXPECT_EQ(QuantitiesToPoll(p, "VQ22")[5], LiveQuantity::Stroom_in);
}

TEST(LiveValues, CommandsOfTheQuantities) {
  EXPECT_STREQ(Info(LiveQuantity::ActPos).command, "r0");
  EXPECT_STREQ(Info(LiveQuantity::ActPosLin).command, "r8");
  EXPECT_STREQ(Info(LiveQuantity::ActPeakHold2).command, "rb");
  EXPECT_STREQ(Info(LiveQuantity::Analoog_in_AWE).command, "r6");
}

TEST(BitPattern, NonNumbersAreZero) {
  EXPECT_EQ(BitPattern("5"), 5);
  EXPECT_EQ(BitPattern("x"), 0);
  EXPECT_EQ(BitPattern(""), 0);
}

TEST(ErrorPoll, MinusOneOrNothingMeansNoError) {
  EXPECT_EQ(ErrorPanelText("-1"), "");
  EXPECT_EQ(ErrorPanelText("-12"), "");
  EXPECT_EQ(ErrorPanelText(""), "");
  EXPECT_EQ(ErrorPanelText("12"), "VQ2... Error: 12");
}

TEST(ErrorPoll, DotsGrowToSixThenStartAgain) {
  ActivityDots dots;
  std::vector<std::string> seen;
  for (int i = 0; i < 8; ++i) seen.push_back(dots.Advance());
  EXPECT_EQ(seen[0], ". ");
  EXPECT_EQ(seen[5], ". . . . . . ");
  EXPECT_EQ(seen[6], ". ");
  EXPECT_EQ(seen[7], ". . ");
}

TEST(FunctionLabels, OptionOfTheParametersValueOrHashes) {
  TGlobalVar g;
  std::string text = "unchanged";
  EXPECT_FALSE(FunctionLabelText(g, 252, text));
  EXPECT_EQ(text, "unchanged");
  g.CatalogueLoaded = true;
  g.LanguageIndex = 1;
  g.ParameterCatalogue = IniDocument::FromText("[252]\nopties1=Off,Cam,Alarm\n[253]\nopties1=#252\n");
  g.ParameterTable[253] = 2;
  ASSERT_TRUE(FunctionLabelText(g, 253, text));
  EXPECT_EQ(text, "Alarm");
  g.ParameterTable[253] = 3;  // equal to the number of options
  ASSERT_TRUE(FunctionLabelText(g, 253, text));
  EXPECT_EQ(text, "########");
  g.LanguageIndex = 5;
  g.ParameterTable[253] = 0;
  ASSERT_TRUE(FunctionLabelText(g, 253, text));
  EXPECT_EQ(text, "########");
}

}  // namespace
