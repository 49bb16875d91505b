#include "model/PrintText.h"

#include <gtest/gtest.h>

namespace {

using PrintText::CharacterCount;

TEST(PrintText, CountsCodePointsNotBytes) {
  const struct {
    const char* text;
    std::size_t count;
  } rows[] = {
      {"", 0},           {"abc", 3},       {"L\xC3\xA4nge", 5},  // "Länge"
      {"\xE2\x82\xAC", 1},                                    // euro sign
      {"\xFF", 1},       {"a\xC3", 2},     {"\x80\x80", 2},  // broken bytes count one each
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(CharacterCount(row.text), row.count);
  }
}

TEST(PrintText, ColumnHeaders) {
  EXPECT_EQ(PrintText::InitParameterHeader({"Nr", "P", "Naam", "Waarde", "Optie"}),
            "Nr    " "   " "P  " "   " "Naam                                  " "     Waarde" "   "
            "Optie             ");
  EXPECT_EQ(PrintText::InitParameterHeader({}), std::string(6 + 3 + 3 + 3 + 38 + 11 + 3 + 18, ' '));
  EXPECT_EQ(PrintText::InitSollwertHeader("Nr", "Waarde"), "Nr    " "   " "      Waarde");
}

TEST(PrintText, SetpointLineRightAlignsTheRawValue) {
  EXPECT_EQ(PrintText::SetpointLine(12, -1500), "12    " "   " "       -1500");
  EXPECT_EQ(PrintText::SetpointLine(1, -2147483647 - 1), "1     " "   " " -2147483648");
}

TEST(PrintText, PageNumberTextRightAlignsInThree) {
  EXPECT_EQ(PrintText::PageNumberText("P", 1), "P   1");
  EXPECT_EQ(PrintText::PageNumberText("", 12), "  12");
  EXPECT_EQ(PrintText::PageNumberText("Seite", 1000), "Seite 1000");
}

TEST(PrintText, LabelsEndInOneColumn) {
  const auto labels = PrintText::PadLabels({"Firma:", "Type:", "Serie nummer:"});
  EXPECT_EQ(labels[0], "       Firma:");
  EXPECT_EQ(labels[1], "        Type:");
  EXPECT_EQ(labels[2], "Serie nummer:");
  EXPECT_EQ(PrintText::PadLabels({"Gr\xC3\xB6\xC3\x9F" "e", "ab", ""})[1], "   ab");  // "Größe" is five wide
}

const IniDocument kCatalogue = IniDocument::FromText(R"([003]
naam1=Scaling
dec=2
[203]
naam1=Decimals
[252]
naam1=Output 1 function
type=1
opties1=Off,"Cam output",Alarm,Error,Manual
[253]
)" "naam1=L\xC3\xA4nge" R"(
type=2
opties1=#252
[254]
naam1=Mode
dec=9
)");

TEST(PrintText, ParameterLines) {
  std::array<std::int32_t, kParameterCount> parameters{};
  parameters[3] = -5;
  parameters[203] = 1;
  parameters[252] = 7;
  parameters[253] = 1;
  parameters[254] = 150;
  parameters[99] = 42;
  const std::string name38(38, ' ');
  const struct {
    int number;
    const char* rowNumber;
    std::string line;
  } rows[] = {
      {3, "1.2.3", "1.2.3 " "   " "003" "   " "Scaling" + name38.substr(7) + "      -0,05" "   "},
      {252, "1.0.1", "1.0.1 " "   " "252" "   " "Output 1 function" + name38.substr(17) + "          7" "   "
                     "########"},
      {253, "12.10.40", "12.10.40" "   " "253" "   " "L\xC3\xA4nge" + name38.substr(5) + "          1" "   "},
      {254, "2.1.1", "2.1.1 " "   " "254" "   " "Mode" + name38.substr(4) + "       15,0" "   "},
      {99, "3.0.2", "3.0.2 " "   " "   " "   " + name38 + "         42" "   "},
      {kParameterCount, "3.0.2", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.number);
    EXPECT_EQ(PrintText::ParameterLine(kCatalogue, 1, parameters, row.rowNumber, row.number), row.line);
  }
  parameters[252] = 1;
  EXPECT_EQ(PrintText::ParameterLine(kCatalogue, 1, parameters, "1.0.1", 252).substr(6 + 3 + 3 + 3 + 38 + 11),
            "   Cam output");
}

}  // namespace
