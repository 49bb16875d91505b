#include "model/Functies.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

using Table = std::array<std::int32_t, kParameterCount>;

struct FormatCase {
  std::int32_t value;
  int decimals;
  const char* text;
};

class FormatFixedTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixedTable, Formats) {
  EXPECT_EQ(FormatFixed(GetParam().decimals, GetParam().value, Table{}), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatFixedTable,
    ::testing::Values(FormatCase{1234, 2, "12,34"}, FormatCase{5, 2, "0,05"}, FormatCase{-5, 2, "-0,05"},
                      FormatCase{0, 3, "0,000"}, FormatCase{1234, 0, "1234"}, FormatCase{12345, 4, "1,2345"},
                      FormatCase{-5, 4, "-0,0005"}, FormatCase{-7, 2, "-0,07"}, FormatCase{-7, 0, "-7"},
                      FormatCase{150, -1, "150"}, FormatCase{100, 2, "1,00"},
                      FormatCase{std::numeric_limits<std::int32_t>::min(), 0, "-2147483648"},
                      FormatCase{std::numeric_limits<std::int32_t>::min(), 2, "-21474836,48"},
                      FormatCase{std::numeric_limits<std::int32_t>::max(), 3, "2147483,647"}));

TEST(FormatFixed, CodesNineAndTenTakeTheDecimalsFromParameters203And248) {
  Table parameters{};
  parameters[203] = 2;
  parameters[248] = 0;
  EXPECT_EQ(FormatFixed(9, 150, parameters), "1,50");
  EXPECT_EQ(FormatFixed(10, 150, parameters), "150");
  parameters[248] = 3;
  EXPECT_EQ(FormatFixed(10, 150, parameters), "0,150");
  // Code 9 resolving to 10 is resolved again, as the rule goes step by step.
  parameters[203] = 10;
  EXPECT_EQ(FormatFixed(9, 150, parameters), "0,150");
}

TEST(FormatFixed, ManyDecimalsPadWithZerosAndAbsurdOnesStayBounded) {
  Table parameters{};
  parameters[203] = 25;
  EXPECT_EQ(FormatFixed(9, 5, parameters), "0," + std::string(24, '0') + "5");
  parameters[203] = 2000000000;
  EXPECT_EQ(FormatFixed(9, 1, parameters).size(), 1002u);  // "0," and 1000 digits at most
}

TEST(FormatFixed, UsesTheSharedTableByDefault) {
  GlobalVar().ParameterTable[203] = 1;
  EXPECT_EQ(FormatFixed(9, 15), "1,5");
  GlobalVar().ParameterTable[203] = 0;
}

struct ParseCase {
  const char* text;
  int decimals;
  bool sign;
  std::int32_t min;
  std::int32_t max;
  std::int32_t result;
};

class ParseFixedTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFixedTable, Parses) {
  const auto& c = GetParam();
  EXPECT_EQ(ParseFixed(c.text, c.decimals, c.sign, c.min, c.max), c.result) << c.text;
}

constexpr std::int32_t kMin = -9999999;
constexpr std::int32_t kMax = 99999999;

INSTANTIATE_TEST_SUITE_P(
    Table, ParseFixedTable,
    ::testing::Values(ParseCase{"12,5", 2, true, kMin, kMax, 1250}, ParseCase{"12", 2, true, kMin, kMax, 1200},
                      ParseCase{"-0,05", 2, true, kMin, kMax, -5}, ParseCase{",5", 2, true, kMin, kMax, 50},
                      ParseCase{"1,234", 2, true, kMin, kMax, BadFormat},
                      ParseCase{"1-2", 2, true, kMin, kMax, BadFormat},
                      ParseCase{"1,2,3", 2, true, kMin, kMax, BadFormat},
                      ParseCase{"999999,99", 2, true, kMin, kMax, 99999999},
                      ParseCase{"1000000", 2, true, kMin, kMax, OutOfRange},
                      ParseCase{"-100000", 2, true, kMin, kMax, OutOfRange},
                      ParseCase{"12345678,9", 2, true, kMin, kMax, BadFormat},
                      ParseCase{"-", 2, true, kMin, kMax, BadFormat}, ParseCase{",", 2, true, kMin, kMax, BadFormat},
                      ParseCase{"", 2, true, kMin, kMax, BadFormat}, ParseCase{"0,00", 2, true, kMin, kMax, 0},
                      ParseCase{"-,5", 1, true, kMin, kMax, -5}, ParseCase{"-,", 1, true, kMin, kMax, 0},
                      ParseCase{"123456789", 0, true, 0, 999999999, 123456789},
                      ParseCase{"1234567890", 0, true, 0, 2000000000, BadFormat},
                      ParseCase{"1,5", 0, true, kMin, kMax, BadFormat},
                      ParseCase{"-5", 0, false, kMin, kMax, BadFormat},
                      ParseCase{"--5", 0, true, kMin, kMax, BadFormat},
                      ParseCase{"12.5", 2, true, kMin, kMax, BadFormat},
                      ParseCase{" 12", 2, true, kMin, kMax, BadFormat},
                      ParseCase{"1,5", -1, true, kMin, kMax, BadFormat},
                      ParseCase{"15", -1, true, kMin, kMax, 15},
                      ParseCase{"-12345678", 0, true, -99999999, kMax, -12345678},
                      ParseCase{"-123456789", 0, true, -999999999, kMax, BadFormat},
                      ParseCase{"5", 0, true, 10, 20, OutOfRange}, ParseCase{"10", 0, true, 10, 20, 10},
                      ParseCase{"20", 0, true, 10, 20, 20}, ParseCase{"21", 0, true, 10, 20, OutOfRange},
                      // a decimals count from the device: ten or more fit no input
                      ParseCase{",5", 8, true, kMin, kMax, 50000000}, ParseCase{"1", 10, true, kMin, kMax, BadFormat},
                      ParseCase{"0", 2000000000, true, kMin, kMax, BadFormat}));

TEST(ParseFixedFuzz, RandomTextsGiveACodeOrAValueInRange) {
  std::mt19937 rng(2026);
  const std::string alphabet = "0123456789,-.+ ex";
  for (int round = 0; round < 200000; ++round) {
    std::string text;
    const int len = static_cast<int>(rng() % 14);
    for (int i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
    const int decimals = static_cast<int>(rng() % 7) - 1;
    const std::int32_t min = -static_cast<std::int32_t>(rng() % 100000000);
    const std::int32_t max = static_cast<std::int32_t>(rng() % 100000000);
    const std::int32_t result = ParseFixed(text, decimals, rng() % 2 == 0, min, max);
    if (result > kRejectedAbove) {
      ASSERT_TRUE(result == BadFormat || result == OutOfRange) << text;
    } else {
      ASSERT_GE(result, min) << text;
      ASSERT_LE(result, max) << text;
    }
  }
}

TEST(ParseFixedRoundTrip, FormattedValuesParseBack) {
  std::mt19937 rng(5);
  for (int round = 0; round < 20000; ++round) {
    const std::int32_t value = static_cast<std::int32_t>(rng() % 199999999) - 99999999;
    const int decimals = static_cast<int>(rng() % 5);
    const std::string text = FormatFixed(decimals, value, Table{});
    const std::int32_t parsed = ParseFixed(text, decimals, true, -99999999, 999999999);
    // Nine characters is the longest text ParseFixed takes.
    if (text.size() - (decimals > 0 ? 1 : 0) <= 9)
      ASSERT_EQ(parsed, value) << text;
    else
      ASSERT_EQ(parsed, BadFormat) << text;
  }
}

}  // namespace
