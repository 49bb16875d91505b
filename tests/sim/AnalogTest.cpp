// Calibration mode, the analog output and input, and the calibration words.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SimTestSupport.h"

namespace {

long long ValueOf(const std::string& reply) { return std::atoll(reply.substr(3).c_str()); }

class AnalogTest : public ::testing::Test {
protected:
  StillDevice unit{5000};  // half of the default output scale 0..10000
};

TEST_F(AnalogTest, CalibrationModeDrivesTheOutputToTheDemandedLevel) {
  EXPECT_EQ(unit.Send("km 1"), "km 1");
  EXPECT_EQ(unit.Send("r2"), "r2 0") << "no output function chosen yet";
  EXPECT_EQ(unit.Send("kf 1"), "kf 1");
  unit.Send("ka 0");
  long long uncalibratedZero = ValueOf(unit.Send("r2"));
  EXPECT_NE(uncalibratedZero, 0) << "the converter has an offset to calibrate away";
  EXPECT_EQ(unit.Send("r3"), "r3 0");
  EXPECT_EQ(unit.Send("kf 2"), "kf 2");
  unit.Send("ka 100000");
  EXPECT_NEAR(ValueOf(unit.Send("r3")), 200000, 1000) << "current: ka counts 0.2 uA";
  EXPECT_EQ(unit.Send("r2"), "r2 0");
}

TEST_F(AnalogTest, CalibrationWordsTrimOffsetAndGains) {
  unit.Send("km 1");
  unit.Send("kf 1");
  unit.Send("kw 2041 -12");  // offset: 12 x 311 uV
  unit.Send("kw 2042 -250");  // positive gain: -25 mV at full scale
  unit.Send("kw 2040 -250");  // negative gain
  for (long long level : {0LL, 100000LL, -100000LL, 37000LL}) {
    unit.Send("ka " + std::to_string(level));
    EXPECT_NEAR(ValueOf(unit.Send("r2")), level, 2) << level;
  }
  // Leaving calibration mode, the output follows the position again.
  unit.Send("km 0");
  EXPECT_NEAR(ValueOf(unit.Send("r2")), 50000, 2);
}

TEST_F(AnalogTest, OutputModeAndRangeFollowTheParameters) {
  EXPECT_NEAR(ValueOf(unit.Send("r2")), 50000, 300);
  EXPECT_EQ(unit.Send("r3"), "r3 0");
  EXPECT_EQ(unit.Apply({{231, 2}}), "bp -1");  // current, 4..20 mA
  EXPECT_EQ(unit.Send("r2"), "r2 0");
  EXPECT_NEAR(ValueOf(unit.Send("r3")), 120000, 600);
  EXPECT_EQ(unit.Apply({{234, 0}}), "bp -1");  // 0..20 mA
  EXPECT_NEAR(ValueOf(unit.Send("r3")), 100000, 600);
}

TEST_F(AnalogTest, InputReadingFollowsTheModeAndTheAdWords) {
  long long volts = ValueOf(unit.Send("r4"));
  EXPECT_NEAR(volts, 50000, 300);  // 5 V
  EXPECT_EQ(unit.Send("r5"), "r5 0");
  EXPECT_EQ(unit.Send("kw 2035 20"), "kw 2035 20");
  EXPECT_NEAR(ValueOf(unit.Send("r4")), volts + 62, 1);
  EXPECT_NEAR(ValueOf(unit.Send("r6")), 16384, 50);
  EXPECT_EQ(unit.Apply({{226, 1}}), "bp -1");
  EXPECT_EQ(unit.Send("r4"), "r4 0");
  EXPECT_NEAR(ValueOf(unit.Send("r5")), 120000, 600);  // 12 mA
  unit.device->SetAnalogInput(0, 20);
  EXPECT_NEAR(ValueOf(unit.Send("r5")), 200000, 1000);
}

TEST_F(AnalogTest, StoredWordsAreTheOnesKsSaved) {
  unit.Send("kw 2044 33");
  EXPECT_EQ(unit.device->memory().eeprom[2044 - 2028], 0);
  auto revision = unit.device->memoryRevision();
  EXPECT_EQ(unit.Send("ks"), "ks -1");
  EXPECT_EQ(unit.device->memory().eeprom[2044 - 2028], 33);
  EXPECT_GT(unit.device->memoryRevision(), revision);
}

}  // namespace
