#include "model/Catalogue.h"
#include "model/CatalogueFiles.h"

#include <gtest/gtest.h>

namespace {

const IniDocument kCatalogue = IniDocument::FromText(R"([007]
naam0=Nok 1 start
naam1=Cam 1 start
dec=9
min=-100000
max=$186A0
default=0x10
[203]
naam1=Position decimals
min=0
max=4
default=2
[252]
naam1=Output 1 function
type=1
opties0=Uit,"Nok uitgang",Alarm
opties1=Off,"Cam output",Alarm
[253]
type=1
opties1=#252
[254]
opties1=#260
[260]
opties1=#252
[261]
naam1=No options
[262]
opties1=one two
[263]
opties1="one two"
[264]
opties1=#261
[265]
default=abc
min=-5
)");

TEST(Catalogue, SectionNamesHaveThreeDigits) {
  EXPECT_EQ(Catalogue::SectionName(7), "007");
  EXPECT_EQ(Catalogue::SectionName(0), "000");
  EXPECT_EQ(Catalogue::SectionName(315), "315");
}

TEST(Catalogue, NamesByLanguage) {
  EXPECT_EQ(Catalogue::Name(kCatalogue, 7, 0), "Nok 1 start");
  EXPECT_EQ(Catalogue::Name(kCatalogue, 7, 1), "Cam 1 start");
  EXPECT_EQ(Catalogue::Name(kCatalogue, 7, 2), "");
  EXPECT_EQ(Catalogue::Name(kCatalogue, 8, 1), "");  // no section
  EXPECT_EQ(Catalogue::Name(kCatalogue, 7, 5), "");
}

TEST(Catalogue, IntegerKeysTakeDecimalAndHexAndDefaultToZero) {
  EXPECT_EQ(Catalogue::DecimalsCode(kCatalogue, 7), 9);
  EXPECT_EQ(Catalogue::Minimum(kCatalogue, 7), -100000);
  EXPECT_EQ(Catalogue::Maximum(kCatalogue, 7), 100000);
  EXPECT_EQ(Catalogue::Default(kCatalogue, 7), 16);
  EXPECT_EQ(Catalogue::Default(kCatalogue, 265), 0);  // not a number: missing
  EXPECT_EQ(Catalogue::Type(kCatalogue, 252), 1);
  EXPECT_EQ(Catalogue::Type(kCatalogue, 7), 0);
  EXPECT_EQ(Catalogue::DecimalsCode(kCatalogue, 99), 0);
}

TEST(Catalogue, OptionListsFollowAReferenceOnce) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Catalogue::Options(kCatalogue, 252, 1), (V{"Off", "Cam output", "Alarm"}));
  EXPECT_EQ(Catalogue::Options(kCatalogue, 252, 0), (V{"Uit", "Nok uitgang", "Alarm"}));
  EXPECT_EQ(Catalogue::Options(kCatalogue, 253, 1), (V{"Off", "Cam output", "Alarm"}));
  EXPECT_EQ(Catalogue::Options(kCatalogue, 254, 1), (V{"#252"}));  // a reference to a reference is not followed
  EXPECT_EQ(Catalogue::Options(kCatalogue, 264, 1), V{});          // refers to a section without options
  EXPECT_EQ(Catalogue::Options(kCatalogue, 262, 1), (V{"one", "two"}));
  EXPECT_EQ(Catalogue::Options(kCatalogue, 263, 1), (V{"one two"}));
  EXPECT_EQ(Catalogue::Options(kCatalogue, 252, 7), V{});
}

TEST(Catalogue, OptionTextOrHashesForAnInvalidIndex) {
  EXPECT_EQ(Catalogue::OptionText(kCatalogue, 253, 1, 1), "Cam output");
  EXPECT_EQ(Catalogue::OptionText(kCatalogue, 253, 1, 3), "########");
  EXPECT_EQ(Catalogue::OptionText(kCatalogue, 253, 1, -1), "########");
  EXPECT_EQ(Catalogue::OptionText(kCatalogue, 264, 1, 0), "########");
}

TEST(Catalogue, ShownValueUsesTheParametersDecimals) {
  std::array<std::int32_t, kParameterCount> table{};
  table[203] = 2;
  table[7] = 1234;
  EXPECT_EQ(Catalogue::ShownValue(kCatalogue, 7, table), "12,34");
  table[8] = 1234;
  EXPECT_EQ(Catalogue::ShownValue(kCatalogue, 8, table), "1234");  // no section: no decimals
}

TEST(Catalogue, DefaultTableTakesEveryDefault) {
  const auto table = Catalogue::DefaultTable(kCatalogue);
  EXPECT_EQ(table[7], 16);
  EXPECT_EQ(table[203], 2);
  EXPECT_EQ(table[0], 0);
}

TEST(Catalogue, ParNoRowsWithAGapStayEmpty) {
  const auto parNo = IniDocument::FromText("[612]\nParId1=18\nParId3=42\nParId4=999\nParId5=x\n[0]\nParId1=203\n");
  EXPECT_EQ(Catalogue::ParNoRow(parNo, 6, 12, 1), 18);
  EXPECT_EQ(Catalogue::ParNoRow(parNo, 6, 12, 2), -1);
  EXPECT_EQ(Catalogue::ParNoRow(parNo, 6, 12, 3), 42);
  EXPECT_EQ(Catalogue::ParNoRow(parNo, 6, 12, 4), -1);
  EXPECT_EQ(Catalogue::ParNoRow(parNo, 6, 12, 5), -1);
  EXPECT_EQ(Catalogue::ParNoRow(parNo, 0, 0, 1), 203);
}

TEST(CatalogueFiles, LoadedFromTheProgramFolderOrFlaggedMissing) {
  TGlobalVar g;
  g.ProgramDir = std::string(VQ2X_DATA_DIR) + "/";
  EXPECT_TRUE(ParameterDef_lezen(g));
  EXPECT_TRUE(g.CatalogueLoaded);
  EXPECT_TRUE(g.ParameterCatalogue.HasSection("315"));
  EXPECT_TRUE(ParamNo_lezen(g));
  EXPECT_TRUE(g.ParNoLoaded);
  g.ProgramDir = "/nonexistent/";
  EXPECT_FALSE(ParameterDef_lezen(g));
  EXPECT_FALSE(g.CatalogueLoaded);
  EXPECT_FALSE(g.ParameterCatalogue.HasSection("315"));
  EXPECT_FALSE(ParamNo_lezen(g));
  EXPECT_FALSE(g.ParNoLoaded);
}

TEST(CatalogueFiles, ShippedCatalogueGivesTheFunctionTexts) {
  TGlobalVar g;
  g.ProgramDir = std::string(VQ2X_DATA_DIR) + "/";
  ASSERT_TRUE(ParameterDef_lezen(g));
  for (int language : {0, 1, 2}) {
    // Outputs 2..4 refer to the option list of output 1.
    EXPECT_EQ(Catalogue::Options(g.ParameterCatalogue, 253, language),
              Catalogue::Options(g.ParameterCatalogue, 252, language));
    EXPECT_GE(Catalogue::Options(g.ParameterCatalogue, 252, language).size(), 2u);
  }
}

}  // namespace
