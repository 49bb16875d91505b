// "wp" refuses values outside the limits with "er 7"; a catalogue's limits win.
#include <gtest/gtest.h>

#include "SimTestSupport.h"
#include "platform/IniDocument.h"

namespace {

struct LimitCase {
  int number;
  long long refusedLow;   // just below the minimum
  long long refusedHigh;  // just above the maximum
};

class WriteLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(WriteLimitTest, ValuesOutsideTheLimitsAreRefusedAndTheLimitsAccepted) {
  StillDevice unit;
  const LimitCase& c = GetParam();
  std::string number = std::to_string(c.number);
  std::string before = unit.Send("rp " + number);
  EXPECT_EQ(unit.Send("wp " + number + " " + std::to_string(c.refusedLow)), "er 7");
  EXPECT_EQ(unit.Send("wp " + number + " " + std::to_string(c.refusedHigh)), "er 7");
  EXPECT_EQ(unit.Send("rp " + number), before) << "a refused value must not be stored";
  EXPECT_EQ(unit.Send("wp " + number + " " + std::to_string(c.refusedLow + 1)),
            "wp " + number + " " + std::to_string(c.refusedLow + 1));
  EXPECT_EQ(unit.Send("wp " + number + " " + std::to_string(c.refusedHigh - 1)),
            "wp " + number + " " + std::to_string(c.refusedHigh - 1));
}

INSTANTIATE_TEST_SUITE_P(Roles, WriteLimitTest,
                         ::testing::Values(LimitCase{247, -1, 31},          // linearisation points 0..30
                                           LimitCase{268, -1, 5},           // cam output 0..4
                                           LimitCase{256, -1, 6},           // cam function 0..5
                                           LimitCase{241, -1, 3},           // linearisation mode 0..2
                                           LimitCase{203, -1, 5},           // position decimals 0..4
                                           LimitCase{231, -1, 3},           // analog output mode 0..2
                                           LimitCase{304, -1, 25},          // start from setpoint 0..24
                                           LimitCase{200, 7, 33},           // SSI bits 8..32
                                           LimitCase{7, -100000000, 100000000}));

TEST(WriteLimits, InvalidNumbersAreRefused) {
  StillDevice unit;
  EXPECT_EQ(unit.Send("wp 316 0"), "er 7");
  EXPECT_EQ(unit.Send("wp -1 0"), "er 7");
  EXPECT_EQ(unit.Send("ws 25 0"), "er 7");
  EXPECT_EQ(unit.Send("ws 0 0"), "er 7");
  EXPECT_EQ(unit.Send("ws 1 3000000000"), "er 7");
  EXPECT_EQ(unit.Send("kw 2046 0"), "er 7");
  EXPECT_EQ(unit.Send("kw 2040 100000"), "er 7");
}

TEST(CatalogueLimits, CatalogueValuesReplaceTheBuiltInOnes) {
  IniDocument catalogue = IniDocument::FromText(
      "[247]\nmin=0\nmax=10\ndefault=$3\n"
      "[203]\nmax=0x3\n"
      "[007]\nmin=5\nmax=1\n"      // inverted: ignored
      "[120]\nmin=0\nmax=100\ndefault=500\n"  // default beyond max: moved to max
      "[200]\nmin=abc\n");
  ParameterLimits limits = MergeCatalogueLimits(catalogue, BuiltInLimits());
  ParameterLimits builtIn = BuiltInLimits();
  EXPECT_EQ(limits[247].maximum, 10);
  EXPECT_EQ(limits[247].defaultValue, 3);
  EXPECT_EQ(limits[203].maximum, 3);
  EXPECT_EQ(limits[203].minimum, builtIn[203].minimum);
  EXPECT_EQ(limits[7].minimum, builtIn[7].minimum);
  EXPECT_EQ(limits[7].maximum, builtIn[7].maximum);
  EXPECT_EQ(limits[120].defaultValue, 100);
  EXPECT_EQ(limits[200].minimum, builtIn[200].minimum);

  StillDevice unit(0, "VQ22", 0, limits);
  EXPECT_EQ(unit.Send("rp 247"), "rp 247 3");
  EXPECT_EQ(unit.Send("wp 247 11"), "er 7");
}

TEST(CatalogueLimits, BuiltInDefaultsAreConsistentAndWithinTheirLimits) {
  StillDevice unit;
  EXPECT_EQ(unit.Send("bp"), "bp -1");
  ParameterLimits limits = BuiltInLimits();
  for (int n = 0; n < ParameterRoles::Count; ++n) {
    EXPECT_LE(limits[n].minimum, limits[n].defaultValue) << n;
    EXPECT_LE(limits[n].defaultValue, limits[n].maximum) << n;
  }
}

TEST(CatalogueLimits, MissingFileIsReported) {
  ParameterLimits limits = BuiltInLimits();
  std::string error;
  EXPECT_FALSE(LoadCatalogueLimits("/nonexistent/Parameters.txt", &limits, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
