#include "model/ParameterGrid.h"

#include <gtest/gtest.h>

#include "model/TreeFile.h"

namespace {

using Table = std::array<std::int32_t, kParameterCount>;

const IniDocument kParameters = IniDocument::FromText(R"([007]
naam1=Cam start
dec=2
min=-100
max=5000
default=150
[252]
naam1=Output
type=1
opties1=Off,On
[253]
naam1=Mode
type=2
opties1=A,B
)");

const IniDocument kParNo = IniDocument::FromText(R"([0]
ParId1=7
ParId3=252
[601]
ParId1=7
ParId2=252
ParId4=99
ParId5=253
[100]
ParId1=400
)");

const EditorCatalogues kBoth{&kParameters, &kParNo, 1};

Table Values() {
  Table t{};
  t[7] = 150;
  t[252] = 1;
  t[99] = 1234;
  t[253] = 1;
  return t;
}

std::vector<std::string> Cells(const ParameterGridRow& r) { return {r.Position, r.Number, r.Name, r.Value, r.Option}; }
using V = std::vector<std::string>;

TEST(ParameterGrid, RowsShowPositionNumberNameValueAndOption) {
  Table values = Values();
  const auto rows = ParameterGridRows(kBoth, 6, 1, values);
  ASSERT_EQ(rows.size(), 18u);
  EXPECT_EQ(Cells(rows[0]), (V{"6.1.1", "007", "Cam start", "1,50", ""}));
  EXPECT_EQ(Cells(rows[1]), (V{"6.1.2", "252", "Output", "1", "On"}));
  EXPECT_EQ(Cells(rows[2]), (V{"", "", "", "", ""}));
  EXPECT_TRUE(rows[2].IsEmpty());
  EXPECT_EQ(Cells(rows[3]), (V{"6.1.4", "099", "", "1234", ""}));  // no catalogue section
  EXPECT_EQ(Cells(rows[4]), (V{"6.1.5", "253", "Mode", "1", ""}));  // only type 1 is a choice here
  values[252] = 2;
  EXPECT_EQ(ParameterGridRows(kBoth, 6, 1, values)[1].Option, "########");
}

TEST(ParameterGrid, RootShowsSectionZeroAndBadNumbersAreEmptyRows) {
  const auto root = ParameterGridRows(kBoth, 0, 0, Values());
  ASSERT_EQ(root.size(), 18u);
  EXPECT_EQ(root[0].Position, "0.0.1");
  EXPECT_TRUE(root[1].IsEmpty());
  EXPECT_EQ(root[2].Number, "252");
  EXPECT_TRUE(ParameterGridRows(kBoth, 1, 0, Values())[0].IsEmpty());  // ParId1=400
}

// Values(): 7 is at its default (150), 252, 99 and 253 are not (defaults 0).
TEST(ParameterGrid, ModifiedOnlyMovesTheChangedRowsUpAndAGroupPositionComesBeforeTheRoots) {
  const auto rows = ModifiedRowsOnly(ParameterGridRows(kBoth, 6, 1, Values()), kParameters, Values());
  ASSERT_EQ(rows.size(), 18u);
  EXPECT_EQ((V{rows[0].Number, rows[1].Number, rows[2].Number}), (V{"252", "099", "253"}));
  EXPECT_TRUE(rows[3].IsEmpty());
  const auto positions = GroupPositions(kParNo);
  EXPECT_EQ((V{positions[7], positions[252], positions[99], positions[0]}), (V{"6.1.1", "6.1.2", "6.1.4", ""}));
}

TEST(ParameterGrid, NoRowsWithoutBothCataloguesOrForANodeWithoutSection) {
  EXPECT_TRUE(ParameterGridRows({nullptr, &kParNo, 1}, 0, 0, Values()).empty());
  EXPECT_TRUE(ParameterGridRows({&kParameters, nullptr, 1}, 0, 0, Values()).empty());
  EXPECT_TRUE(ParameterGridRows(kBoth, kNoGroup, kNoGroup, Values()).empty());
}

TEST(ParameterGrid, ClearSetsTheListedParametersOfGroupSixOnly) {
  Table values = Values();
  values[8] = 5;
  EXPECT_EQ(ClearNodeParameters(kBoth, 0, 0, values), 0);
  EXPECT_EQ(values, [] { Table t = Values(); t[8] = 5; return t; }());
  EXPECT_EQ(ClearNodeParameters(kBoth, 6, 1, values), 4);
  EXPECT_EQ(values[7] | values[252] | values[99] | values[253], 0);
  EXPECT_EQ(values[8], 5);
  EXPECT_TRUE(ClearApplies(6));
  EXPECT_FALSE(ClearApplies(5));
  EXPECT_FALSE(ClearApplies(kNoGroup));
}

TEST(ParameterGrid, SelectingARowFillsTheHandOver) {
  const Table values = Values();
  const ParameterSelection s = SelectGridRow(kBoth, ParameterGridRows(kBoth, 6, 1, values)[0], values);
  EXPECT_EQ(s.SelectedDecimals, 2);
  EXPECT_EQ(s.Parameter.NumberText, "007");
  EXPECT_EQ(s.Parameter.Name, "Cam start");
  EXPECT_EQ(s.Parameter.ValueText, "1,50");
  EXPECT_EQ(s.Parameter.Minimum, -100);
  EXPECT_EQ(s.Parameter.MinimumText, "-1,00");
  EXPECT_EQ(s.Parameter.Maximum, 5000);
  EXPECT_EQ(s.Parameter.MaximumText, "50,00");
  EXPECT_EQ(s.Parameter.DefaultText, "1,50");
  EXPECT_EQ(SelectGridRow(kBoth, ParameterGridRow{}, values).Parameter.NumberText, "");
}

TEST(ParameterGrid, SelectingAnyNumberUsesThreeDigitsAndRefusesOutOfRange) {
  Table values{};
  values[140] = 42;
  const ParameterSelection s = SelectParameter({nullptr, nullptr, 0}, 140, values);
  EXPECT_EQ(s.Parameter.NumberText, "140");
  EXPECT_EQ(s.Parameter.ValueText, "42");
  EXPECT_EQ(s.Parameter.MaximumText, "0");
  EXPECT_EQ(SelectParameter(kBoth, 316, values).Parameter.NumberText, "");
  EXPECT_EQ(SelectParameter(kBoth, -1, values).Parameter.NumberText, "");
}

TEST(ParameterGrid, CataloguesOfTheSharedStateOnlyWhenLoaded) {
  TGlobalVar g;
  g.LanguageIndex = 2;
  g.ParNoLoaded = true;
  const EditorCatalogues c = EditorCataloguesOf(g);
  EXPECT_EQ(c.Parameters, nullptr);
  EXPECT_EQ(c.ParNo, &g.ParNoCatalogue);
  EXPECT_EQ(c.Language, 2);
}

}  // namespace
