// Position, velocity, linearisation and peak holds of the simulated axis.
#include <gtest/gtest.h>

#include "Linearisation.h"
#include "MotionProfile.h"
#include "SimTestSupport.h"

namespace {

using namespace ParameterRoles;

TEST(MotionProfile, TriangleSweepsBetweenItsEnds) {
  MotionProfile triangle(MotionProfile::Shape::Triangle, 0, 10000, 20);
  EXPECT_DOUBLE_EQ(triangle.CountAt(0), 0);
  EXPECT_DOUBLE_EQ(triangle.CountAt(5), 5000);
  EXPECT_DOUBLE_EQ(triangle.CountAt(10), 10000);
  EXPECT_DOUBLE_EQ(triangle.CountAt(15), 5000);
  EXPECT_DOUBLE_EQ(triangle.CountAt(25), 5000);
}

TEST(MotionProfile, SpanIncludesTheTurningPointsPassed) {
  MotionProfile triangle(MotionProfile::Shape::Triangle, 0, 10000, 20);
  auto span = triangle.SpanBetween(8, 12);
  EXPECT_DOUBLE_EQ(span.highest, 10000);
  EXPECT_DOUBLE_EQ(span.lowest, 8000);
  span = triangle.SpanBetween(1, 45);
  EXPECT_DOUBLE_EQ(span.lowest, 0);
  EXPECT_DOUBLE_EQ(span.highest, 10000);
}

TEST(MotionProfile, ParsesItsOptionText) {
  EXPECT_TRUE(MotionProfile::Parse("sine:-500:500:4"));
  EXPECT_TRUE(MotionProfile::Parse("still:1234"));
  EXPECT_FALSE(MotionProfile::Parse("square:0:1:2"));
  EXPECT_FALSE(MotionProfile::Parse("triangle:0:1"));
  EXPECT_FALSE(MotionProfile::Parse("triangle:0:1:0"));
  EXPECT_DOUBLE_EQ(MotionProfile::Parse("still:1234")->CountAt(99), 1234);
}

class LinearisationTest : public ::testing::Test {
protected:
  void SetUp() { p = DeviceMemory::Defaults(BuiltInLimits()).active; }  // 5 points 0..10000 -> 0..16000
  ParameterValues p{};
};

TEST_F(LinearisationTest, InterpolatesBetweenPoints) {
  EXPECT_EQ(Linearise(0, p), 0);
  EXPECT_EQ(Linearise(1250, p), 500);
  EXPECT_EQ(Linearise(5000, p), 4000);
  EXPECT_EQ(Linearise(8750, p), 12500);
}

TEST_F(LinearisationTest, LimitsOrExtrapolatesOutsideTheTable) {
  EXPECT_EQ(Linearise(12500, p), 16000);
  p[LinearisationOutside] = 1;
  EXPECT_EQ(Linearise(12500, p), 23000);
}

TEST_F(LinearisationTest, MirrorAndPointImageForNegativeInputs) {
  p[LinearisationMode] = 1;
  EXPECT_EQ(Linearise(-5000, p), 4000);
  p[LinearisationMode] = 2;
  EXPECT_EQ(Linearise(-5000, p), -4000);
  p[LinearisationMode] = 0;
  EXPECT_EQ(Linearise(-5000, p), 0);
}

TEST_F(LinearisationTest, NoPointsPassesTheValueAndOffsetAndDirectionApply) {
  p[LinearisationPoints] = 0;
  EXPECT_EQ(Linearise(777, p), 777);
  p[LinearisationPoints] = 5;
  p[LinearisationReversed] = 1;
  p[LinearisationOffset] = 100;
  EXPECT_EQ(LinearisedValue(5000, p), -3900);
}

TEST(Axis, ScalingDirectionAndOffsetShapeThePosition) {
  StillDevice unit(2000);
  EXPECT_EQ(unit.Send("r0"), "r0 2000");
  EXPECT_EQ(unit.Apply({{205, 3}, {206, 2}, {207, 100}}), "bp -1");
  EXPECT_EQ(unit.Send("r0"), "r0 3100");
  EXPECT_EQ(unit.Apply({{204, 1}}), "bp -1");
  EXPECT_EQ(unit.Send("r0"), "r0 -2900");
  EXPECT_EQ(unit.Apply({{216, 1000}}), "bp -1");
  EXPECT_EQ(unit.Send("r0"), "r0 100");
}

TEST(Axis, LinearisedPositionFollowsTheTable) {
  StillDevice unit(5000);
  EXPECT_EQ(unit.Send("r8"), "r8 4000");
  EXPECT_EQ(unit.Apply({{246, 0}}), "bp -1");
  EXPECT_EQ(unit.Send("r8"), "r8 0");
}

TEST(Axis, VelocityOfATriangleSweep) {
  SimDeviceSetup setup;
  setup.motion = MotionProfile(MotionProfile::Shape::Triangle, 0, 10000, 20);  // 1000 counts/s
  SimTime start = SimClock::now();
  SimDevice device(setup, DeviceMemory::Defaults(setup.limits), start);
  auto reply = [&](const char* line, int ms) { return device.Execute(*ParseDeviceCommand(line), start + Milliseconds(ms)); };
  EXPECT_EQ(reply("r1", 3000), "r1 1000");
  EXPECT_EQ(reply("r1", 13000), "r1 -1000");
  device.Execute(*ParseDeviceCommand("wp 217 1"), start + Milliseconds(13000));
  device.Execute(*ParseDeviceCommand("bp"), start + Milliseconds(13000));
  EXPECT_EQ(reply("r1", 13000), "r1 -60000");
}

TEST(Axis, PeakHoldsKeepTheExtremesOfTheMotion) {
  SimDeviceSetup setup;
  setup.motion = MotionProfile(MotionProfile::Shape::Triangle, 0, 10000, 20);
  SimTime start = SimClock::now();
  SimDevice device(setup, DeviceMemory::Defaults(setup.limits), start);
  auto reply = [&](const char* line, int ms) { return device.Execute(*ParseDeviceCommand(line), start + Milliseconds(ms)); };
  EXPECT_EQ(reply("ra", 1000), "ra 1000");
  // Between two questions the axis passed its far end at 10 s.
  EXPECT_EQ(reply("ra", 15000), "ra 10000");
  EXPECT_EQ(reply("rb", 15000), "rb 0");
  // Input 1 with function "reset peak holds" restarts both at the position.
  device.Execute(*ParseDeviceCommand("wp 249 5"), start + Milliseconds(15000));
  device.Execute(*ParseDeviceCommand("bp"), start + Milliseconds(15000));
  device.SetInput(1, true, start + Milliseconds(15000));
  EXPECT_EQ(reply("ra", 15000), "ra 5000");
  EXPECT_EQ(reply("rb", 16000), "rb 4000");
  EXPECT_EQ(reply("ri", 16000), "ri 1");
}

TEST(Axis, EncoderFaultFreezesThePositionUntilReset) {
  StillDevice unit(2000);
  unit.device->InjectSsiFault(DeviceErrorNumber::SsiDataError, unit.At(1));
  EXPECT_EQ(unit.Send("rf"), "rf 11");
  EXPECT_EQ(unit.Send("r0"), "r0 2000");
  EXPECT_EQ(unit.Send("wf"), "wf -1");
  EXPECT_EQ(unit.Send("rf"), "rf -1");
}

TEST(Axis, PositionOutsideTheMeasuringRangeIsError12) {
  StillDevice unit(2000);
  EXPECT_EQ(unit.Apply({{210, 1500}}), "bp -1");
  EXPECT_EQ(unit.Send("rf"), "rf 12");
  EXPECT_EQ(unit.Send("wf"), "wf 12") << "the range error lasts while the position is outside";
}

TEST(Axis, PresetInputMakesThePositionReadThePresetValue) {
  StillDevice unit(2000);
  EXPECT_EQ(unit.Apply({{208, 500}, {250, 2}, {111, 1}}), "bp -1");  // input 2 active low: active now
  EXPECT_EQ(unit.Send("r0"), "r0 500");
}

}  // namespace
