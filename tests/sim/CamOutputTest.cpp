// Cam outputs ("ru") for a few positions and cam settings.
#include <gtest/gtest.h>

#include "CamEngine.h"
#include "SimTestSupport.h"

namespace {

using namespace ParameterRoles;

struct PositionCase {
  double position;
  unsigned outputs;
};

class DefaultCamsTest : public ::testing::TestWithParam<PositionCase> {};

// The default cams: 1 window 1000..4000 on output 1, 2 window 3000..7000 on
// output 2, 3 above 5000 on output 3, 4 window 8000..9500 on output 4.
TEST_P(DefaultCamsTest, SwitchTheOutputsOfTheCamsHoldingThePosition) {
  StillDevice unit(GetParam().position);
  EXPECT_EQ(unit.Send("ru"), "ru " + std::to_string(GetParam().outputs));
}

INSTANTIATE_TEST_SUITE_P(Positions, DefaultCamsTest,
                         ::testing::Values(PositionCase{0, 0}, PositionCase{999, 0}, PositionCase{1000, 1},
                                           PositionCase{3500, 3}, PositionCase{4001, 2}, PositionCase{5001, 6},
                                           PositionCase{7500, 4}, PositionCase{9000, 12}, PositionCase{9600, 4}));

class CamEngineTest : public ::testing::Test {
protected:
  void SetUp() override {
    parameters = DeviceMemory::Defaults(BuiltInLimits()).active;
    for (int cam = 0; cam < CamCount; ++cam) parameters[CamFunctionFirst + cam] = CamOff;
    setpoints = DefaultSetpoints();
  }
  unsigned At(double position, double seconds = 0, double velocity = 0) {
    CamInputs inputs;
    inputs.position = position;
    inputs.velocityPerSecond = inputs.velocityShown = velocity;
    return engine.Evaluate(parameters, setpoints, inputs, start + Milliseconds(static_cast<int>(seconds * 1000)));
  }
  void Cam(int cam, int function, int output, int start, int end, int hysteresis = 0) {
    parameters[CamFunctionFirst + cam] = function;
    parameters[CamOutputFirst + cam] = output;
    parameters[CamStartFirst + cam] = start;
    parameters[CamEndFirst + cam] = end;
    parameters[CamHysteresisFirst + cam] = hysteresis;
  }

  ParameterValues parameters{};
  SetpointValues setpoints{};
  CamEngine engine;
  SimTime start = SimClock::now();
};

TEST_F(CamEngineTest, HysteresisWidensAWindowOnlyWhileItIsOn) {
  Cam(0, CamWindow, 2, 1000, 2000, 50);
  EXPECT_EQ(At(980), 0u);
  EXPECT_EQ(At(1000), 2u);
  EXPECT_EQ(At(960), 2u);
  EXPECT_EQ(At(940), 0u);
  EXPECT_EQ(At(960), 0u);
}

TEST_F(CamEngineTest, StartAboveEndWrapsAround) {
  Cam(0, CamWindow, 1, 9000, 1000);
  EXPECT_EQ(At(9500), 1u);
  EXPECT_EQ(At(500), 1u);
  EXPECT_EQ(At(5000), 0u);
}

TEST_F(CamEngineTest, LimitValueCamsCompareWithTheStart) {
  Cam(0, CamAbove, 1, 5000, 0);
  Cam(1, CamBelow, 4, 2000, 0);
  EXPECT_EQ(At(6000), 1u);
  EXPECT_EQ(At(3000), 0u);
  EXPECT_EQ(At(1000), 8u);
}

TEST_F(CamEngineTest, TimerCamGivesOnePulseOfItsSwitchingTime) {
  Cam(0, CamAbovePulse, 3, 5000, 0);
  parameters[CamSwitchingTimeFirst] = 500;  // 0.5 s
  EXPECT_EQ(At(4000, 0.0), 0u);
  EXPECT_EQ(At(6000, 1.0), 4u);
  EXPECT_EQ(At(6000, 1.4), 4u);
  EXPECT_EQ(At(6000, 1.6), 0u);
}

TEST_F(CamEngineTest, StartAndEndCanComeFromSetpoints) {
  Cam(0, CamWindow, 1, 0, 0);
  parameters[CamStartSetpointFirst] = 3;  // setpoint 3 = 1200
  parameters[CamEndSetpointFirst] = 5;    // setpoint 5 = 2000
  EXPECT_EQ(At(1500), 1u);
  EXPECT_EQ(At(2500), 0u);
}

TEST_F(CamEngineTest, AdvanceMovesAPositionCamAheadOfTheMotion) {
  Cam(0, CamWindow, 1, 1000, 2000);
  parameters[OutputAdvanceFirst] = 500;  // 0.5 s ahead
  EXPECT_EQ(At(800, 0, 0), 0u);
  EXPECT_EQ(At(800, 0, 1000), 1u);  // moving 1000/s: seen at 1300
}

TEST_F(CamEngineTest, CamsOfAnOutputCombineByOrOrAnd) {
  Cam(0, CamWindow, 1, 1000, 3000);
  Cam(1, CamWindow, 1, 2000, 4000);
  EXPECT_EQ(At(1500), 1u);
  parameters[CamCombination] = 1;
  EXPECT_EQ(At(1500), 0u);
  EXPECT_EQ(At(2500), 1u);
}

TEST_F(CamEngineTest, DirectionInvertAndEnableInput) {
  Cam(0, CamWindow, 1, 1000, 3000);
  parameters[CamDirectionFirst] = 1;  // forward only
  EXPECT_EQ(At(2000, 0, -10), 0u);
  EXPECT_EQ(At(2000, 0, 10), 1u);
  parameters[CamDirectionFirst] = 0;
  parameters[CamInvertFirst] = 1;
  EXPECT_EQ(At(2000), 0u);
  EXPECT_EQ(At(500), 1u);
  parameters[CamInvertFirst] = 0;
  parameters[CamEnableFirst] = 2;  // works while input 2 is active
  EXPECT_EQ(At(2000), 0u);
}

TEST(DeviceOutputs, OutputFunctionsLogicAndManualMode) {
  StillDevice unit(2000);  // cam 1 (output 1) on
  EXPECT_EQ(unit.Send("ru"), "ru 1");
  EXPECT_EQ(unit.Apply({{98, 1}}), "bp -1");  // output 1 normally closed
  EXPECT_EQ(unit.Send("ru"), "ru 0");
  EXPECT_EQ(unit.Apply({{98, 0}, {135, 2}}), "bp -1");  // output 4 always on
  EXPECT_EQ(unit.Send("ru"), "ru 9");
  EXPECT_EQ(unit.Apply({{135, 0}, {253, OutputErrorMessage}}), "bp -1");
  EXPECT_EQ(unit.Send("ru"), "ru 1");
  unit.device->InjectSsiFault(DeviceErrorNumber::SsiNoSignal, unit.At(2));
  EXPECT_EQ(unit.Send("rf", 2), "rf 10");
  EXPECT_EQ(unit.Send("ru", 2), "ru 2") << "cams switch off while the encoder fails; output 2 shows the error";
  EXPECT_EQ(unit.Send("wf", 3), "wf -1");
  EXPECT_EQ(unit.Send("ru", 3), "ru 1");
}

}  // namespace
