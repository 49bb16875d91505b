#include "model/LinearisationModeDiagram.h"

#include <gtest/gtest.h>

#include <ostream>

#include "model/ParameterNumbers.h"

// Readable failure messages for pixel geometry.
static void PrintTo(const PixelPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }
static void PrintTo(const PixelLine& l, std::ostream* os) {
  PrintTo(l.from, os);
  *os << "-";
  PrintTo(l.to, os);
}

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

const Lines kRightHalf{{{101, 100}, {148, 53}}, {{148, 53}, {195, 147}}, {{195, 147}, {201, 147}}};

Lines Joined(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ModeDiagram, MirrorImageCopiesTheRightHalfToTheLeft) {
  const ModeDiagram diagram = ComputeModeDiagram(ThreePoints(), 1);
  EXPECT_TRUE(diagram.shown);
  EXPECT_TRUE(diagram.fillsInterior);
  EXPECT_EQ(diagram.curve, Joined(kRightHalf, {{{100, 100}, {53, 53}}, {{53, 53}, {6, 147}}, {{6, 147}, {0, 147}}}));
}

TEST(ModeDiagram, PointImageRunsIntoTheLowerLeftQuadrant) {
  const ModeDiagram diagram = ComputeModeDiagram(ThreePoints(), 2);
  EXPECT_EQ(diagram.curve, Joined(kRightHalf, {{{100, 100}, {53, 147}}, {{53, 147}, {6, 53}}, {{6, 53}, {0, 53}}}));
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

const IniDocument kCatalogue = IniDocument::FromText(R"([241]
naam1=Lin mode
opties1=Off,Mirror,Point
[246]
naam1=Lin source
opties1=#241
)");

TEST(ModeAndSourceTexts, OptionsOnlyForValidPositionsAndLabelsWithTheAxisCaption) {
  Table p{};
  p[ParameterNumber::LinearisationMode] = 2;
  p[ParameterNumber::LinearisationSource] = 3;  // one past the last option
  const LinearisationModeTexts texts = ModeAndSourceTexts(p, &kCatalogue, 1, "Position");
  EXPECT_EQ(texts.modePanel, "Point");
  EXPECT_EQ(texts.sourcePanel, std::nullopt);
  EXPECT_EQ(texts.modeLabel, "Lin mode");
  EXPECT_EQ(texts.sourceLabel, "Lin source  (Position)");

  p[ParameterNumber::LinearisationSource] = 0;
  EXPECT_EQ(ModeAndSourceTexts(p, &kCatalogue, 1, "X").sourcePanel, "Off");  // through the reference

  const LinearisationModeTexts none = ModeAndSourceTexts(p, nullptr, 1, "LabelXas");
  EXPECT_EQ(none.modePanel, std::nullopt);
  EXPECT_EQ(none.sourcePanel, std::nullopt);
  EXPECT_EQ(none.modeLabel, "");
  EXPECT_EQ(none.sourceLabel, "  (LabelXas)");
}

}  // namespace
