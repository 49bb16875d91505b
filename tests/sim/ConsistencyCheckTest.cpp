// "bp" answers -1 for a consistent set and a code for the first failed check;
// only a consistent set is taken over.
#include <gtest/gtest.h>

#include "ConsistencyCheck.h"
#include "SimTestSupport.h"

namespace {

using namespace ParameterRoles;

struct BpCase {
  const char* name;
  std::vector<std::pair<int, int>> changes;
  int expected;
};

class ConsistencyCheckTest : public ::testing::TestWithParam<BpCase> {};

TEST_P(ConsistencyCheckTest, GivesTheCodeOfTheFirstFailedCheck) {
  ParameterLimits limits = BuiltInLimits();
  ParameterValues values = DeviceMemory::Defaults(limits).written;
  for (auto [number, value] : GetParam().changes) values[number] = value;
  EXPECT_EQ(CheckConsistency(values, limits), GetParam().expected);
}

const BpCase Cases[] = {
    {"Defaults", {}, ComputeResult::Consistent},
    {"ThirtyPointsAscending", {}, ComputeResult::Consistent},
    {"TooManyPoints", {{LinearisationPoints, 31}}, ComputeResult::TooManyPoints},
    {"XNotAscending", {{LinearisationXFirst + 2, 2500}}, ComputeResult::PointsNotAscending},
    {"XDescendingBeyondN", {{LinearisationXFirst + 6, -5}}, ComputeResult::Consistent},
    {"XNotAscendingWithoutSource", {{LinearisationXFirst + 2, 2500}, {LinearisationSource, 0}},
     ComputeResult::Consistent},
    {"CamOnOutputNone", {{CamOutputFirst, 0}}, ComputeResult::CamOutputInvalid},
    {"CamOnOutputFive", {{CamOutputFirst + 1, 5}}, ComputeResult::CamOutputInvalid},
    {"UnusedCamWithoutOutput", {{CamOutputFirst + 8, 0}}, ComputeResult::Consistent},
    {"CamFunctionSix", {{CamFunctionFirst + 5, 6}}, ComputeResult::CamFunctionInvalid},
    {"CamStartSetpoint25", {{CamStartSetpointFirst, 25}}, ComputeResult::CamSetpointInvalid},
    {"AnalogScaleEmpty", {{AnalogOutScaleStart, 10000}}, ComputeResult::AnalogScaleEmpty},
    {"AnalogScaleEmptyButOff", {{AnalogOutScaleStart, 10000}, {AnalogOutMode, 0}}, ComputeResult::Consistent},
    {"LinearisationModeThree", {{LinearisationMode, 3}}, ComputeResult::LinearisationChoiceInvalid},
    {"ValueOutsideLimits", {{PositionDecimals, 9}}, ComputeResult::ValueOutsideLimits},
};

INSTANTIATE_TEST_SUITE_P(Codes, ConsistencyCheckTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeCommand, TakesOverOnlyAConsistentSet) {
  StillDevice unit(2000);
  // Output 1's cam window 1000..4000 holds 2000; move it away and see it act
  // only after "bp".
  EXPECT_EQ(unit.Send("ru"), "ru 1");
  unit.Send("wp 7 3000");
  EXPECT_EQ(unit.Send("ru"), "ru 1");
  EXPECT_EQ(unit.Send("rp 7"), "rp 7 3000");
  EXPECT_EQ(unit.Send("wp 142 100"), "wp 142 100");  // X of point 3 below point 2
  EXPECT_EQ(unit.Send("bp"), "bp 2");
  EXPECT_EQ(unit.Send("ru"), "ru 1") << "an inconsistent set must not be taken over";
  EXPECT_EQ(unit.Send("wp 142 5000"), "wp 142 5000");
  EXPECT_EQ(unit.Send("bp"), "bp -1");
  EXPECT_EQ(unit.Send("ru"), "ru 0");
}

TEST(ComputeCommand, ThirtyPointTableIsConsistent) {
  StillDevice unit;
  for (int i = 0; i < 30; ++i) unit.Send("wp " + std::to_string(140 + i) + " " + std::to_string(i * 100));
  EXPECT_EQ(unit.Send("wp 247 30"), "wp 247 30");
  EXPECT_EQ(unit.Send("bp"), "bp -1");
}

}  // namespace
