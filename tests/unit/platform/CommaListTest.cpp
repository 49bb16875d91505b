#include "platform/CommaList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Items = std::vector<std::string>;

struct ListCase {
  const char* name;
  std::string text;
  Items items;
};

class CommaListParse : public ::testing::TestWithParam<ListCase> {};

TEST_P(CommaListParse, GivesItems) { EXPECT_EQ(ParseCommaList(GetParam().text), GetParam().items); }

INSTANTIATE_TEST_SUITE_P(
    Table, CommaListParse,
    ::testing::Values(
        ListCase{"QuotedDigits", "\"0\",\"1\",\"2\"", {"0", "1", "2"}},
        ListCase{"QuotedBlankCommaThenTwoWords", "\"a b, c\",one two", {"a b, c", "one", "two"}},
        ListCase{"TwoWordsByComma", "Aan,Uit", {"Aan", "Uit"}},
        ListCase{"TwoWordsByBlank", "Aan Uit", {"Aan", "Uit"}},
        ListCase{"TwoWordsQuoted", "\"Aan Uit\"", {"Aan Uit"}},
        ListCase{"EmptyValue", "", {}},
        ListCase{"OnlyBlanks", "  \t ", {}},
        ListCase{"LeadingControlCharacters", "\x01\x1f a,b", {"a", "b"}},
        ListCase{"BlanksAroundCommas", "a ,  b", {"a", "b"}},
        ListCase{"DoubledQuoteInsideQuotes", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        ListCase{"UnterminatedQuoteRunsToEnd", "\"abc, def", {"abc, def"}},
        ListCase{"EmptyItemsBetweenCommas", "a,,b", {"a", "", "b"}},
        ListCase{"LeadingComma", ",a", {"", "a"}},
        ListCase{"TrailingComma", "a,", {"a"}},
        ListCase{"QuotedEmpty", "\"\",x", {"", "x"}},
        ListCase{"NulEndsTheText", std::string("a,b\0c", 5), {"a", "b"}},
        ListCase{"Reference", "#252", {"#252"}},
        ListCase{"Utf8Kept", "\"Eingang aus\",Zähler", {"Eingang aus", "Zähler"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommaListJoin, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(JoinCommaList({"a", "b c", "x,y", "q\"q", ""}), "a,\"b c\",\"x,y\",\"q\"\"q\",\"\"");
  EXPECT_EQ(JoinCommaList({}), "");
}

TEST(CommaListFuzz, JoinThenParseGivesTheItemsBackAndParsingNeverFails) {
  std::mt19937 rng(7);
  static const char kAlphabet[] = "ab ,\"\t\x01#\xc3\xa4";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  for (int round = 0; round < 5000; ++round) {
    Items items(rng() % 6);
    for (auto& item : items) {
      const int len = static_cast<int>(rng() % 6);
      for (int i = 0; i < len; ++i) item += alphabet[rng() % alphabet.size()];
    }
    ASSERT_EQ(ParseCommaList(JoinCommaList(items)), items) << JoinCommaList(items);

    std::string noise;
    const int len = static_cast<int>(rng() % 40);
    for (int i = 0; i < len; ++i) noise += static_cast<char>(rng() & 0xFF);
    for (const std::string& item : ParseCommaList(noise)) ASSERT_LE(item.size(), noise.size());
  }
}

}  // namespace
