#include "model/LinearisationModeDiagram.h"

#include <gtest/gtest.h>

#include "model/ParameterNumbers.h"

namespace {

using Table = std::array<std::int32_t, kParameterCount>;
using Lines = std::vector<PixelLine>;

// Y of point 1 is not the smallest, so every copy must be shifted onto the
// horizontal axis.
LinearisationCurve ThreePoints() {
  Table p{};
  p[ParameterNumber::LinearisationPointCount] = 3;
  const LinearisationPoint points[] = {{0, 50}, {50, 100}, {100, 0}};
  for (int k = 1; k <= 3; ++k) {
    p[ParameterNumber::LinearisationX(k)] = points[k - 1].X;
    p[ParameterNumber::LinearisationY(k)] = points[k - 1].Y;
  }
  return ReadLinearisationCurve(p);
}

TEST(ModeDiagram, RightHalfWithItsMirrorOrPointImage) {
  const Lines right{{{101, 100}, {148, 53}}, {{148, 53}, {195, 147}}, {{195, 147}, {201, 147}}};
  struct Row { std::int32_t mode; Lines left; };
  for (const Row& row : {Row{1, {{{100, 100}, {53, 53}}, {{53, 53}, {6, 147}}, {{6, 147}, {0, 147}}}},
                         Row{2, {{{100, 100}, {53, 147}}, {{53, 147}, {6, 53}}, {{6, 53}, {0, 53}}}}}) {
    SCOPED_TRACE(row.mode);
    const ModeDiagram diagram = ComputeModeDiagram(ThreePoints(), row.mode);
    EXPECT_TRUE(diagram.shown && diagram.fillsInterior);
    Lines expected = right;
    expected.insert(expected.end(), row.left.begin(), row.left.end());
    EXPECT_EQ(diagram.curve, expected);
  }
}

TEST(ModeDiagram, OtherModesShowFramesOrNothing) {
  struct Row { std::int32_t mode; bool shown; };
  for (const Row& row : {Row{0, false}, Row{3, true}, Row{-1, true}}) {
    SCOPED_TRACE(row.mode);
    const ModeDiagram diagram = ComputeModeDiagram(ThreePoints(), row.mode);
    EXPECT_EQ(diagram.shown, row.shown);
    EXPECT_FALSE(diagram.fillsInterior);
    EXPECT_TRUE(diagram.curve.empty());
  }
  EXPECT_TRUE(ComputeModeDiagram(ReadLinearisationCurve(Table{}), 1).curve.empty());  // no points
}

TEST(ModeDiagram, FlatExtentsPlaceEveryPointAtTheCentreValue) {
  Table p{};
  p[ParameterNumber::LinearisationPointCount] = 1;
  const Lines expected{{{201, 100}, {201, 100}}, {{100, 100}, {0, 100}}};
  EXPECT_EQ(ComputeModeDiagram(ReadLinearisationCurve(p), 2).curve, expected);
}

TEST(ModeAndSourceTexts, OptionTextsAndLabelsWithTheAxisCaption) {
  const IniDocument catalogue =
      IniDocument::FromText("[241]\nnaam1=Lin mode\nopties1=Off,Mirror,Point\n[246]\nnaam1=Lin source\nopties1=#241\n");
  Table p{};
  p[ParameterNumber::LinearisationMode] = 2;
  p[ParameterNumber::LinearisationSource] = 3;  // one past the last option
  const LinearisationModeTexts texts = ModeAndSourceTexts(p, &catalogue, 1, "Position");
  EXPECT_EQ(texts.modePanel, "Point");
  EXPECT_EQ(texts.sourcePanel, "########");  // never the text of an earlier value
  EXPECT_EQ(texts.modeLabel, "Lin mode");
  EXPECT_EQ(texts.sourceLabel, "Lin source  (Position)");

  p[ParameterNumber::LinearisationSource] = 0;
  EXPECT_EQ(ModeAndSourceTexts(p, &catalogue, 1, "X").sourcePanel, "Off");  // through the reference

  const LinearisationModeTexts none = ModeAndSourceTexts(p, nullptr, 1, "LabelXas");
  EXPECT_EQ(none.modePanel, "");
  EXPECT_EQ(none.sourcePanel, "");
  EXPECT_EQ(none.modeLabel, "");
  EXPECT_EQ(none.sourceLabel, "  (LabelXas)");
}

}  // namespace
