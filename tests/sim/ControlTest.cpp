// Operator commands, scripts, options and the traffic log's quoting.
#include <gtest/gtest.h>

#include "ControlCommand.h"
#include "ControlScript.h"
#include "SimOptions.h"
#include "TrafficLog.h"

namespace {

class ControlCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int unit : {0, 3}) {
      SimDeviceSetup setup;
      setup.unitNumber = unit;
      setup.motion = MotionProfile(MotionProfile::Shape::Still, 2000, 2000, 1);
      bus.AddUnit(UnitConfig{unit, "VQ22", {}, {}, {}},
                  std::make_unique<SimDevice>(setup, DeviceMemory::Defaults(setup.limits), now));
    }
  }
  std::string Run(const char* line) { return RunControlCommand(line, bus, server, now); }

  SimTime now = SimClock::now();
  LineBus bus;
  LineServer server{bus, nullptr};
};

TEST_F(ControlCommandTest, InputsSwitchOnEveryUnitOrOne) {
  Run("in 2 on");
  EXPECT_TRUE(bus.Find(0)->Input(2));
  EXPECT_TRUE(bus.Find(3)->Input(2));
  Run("unit 3 in 2 toggle");
  EXPECT_TRUE(bus.Find(0)->Input(2));
  EXPECT_FALSE(bus.Find(3)->Input(2));
}

TEST_F(ControlCommandTest, FaultsSetAndClearTheErrorNumber) {
  Run("unit 0 fault ssi");
  EXPECT_EQ(bus.Find(0)->ErrorNumber(now), 10);
  EXPECT_EQ(bus.Find(3)->ErrorNumber(now), -1);
  Run("fault data");
  EXPECT_EQ(bus.Find(3)->ErrorNumber(now), 11);
  Run("fault clear");
  EXPECT_EQ(bus.Find(0)->ErrorNumber(now), -1);
}

TEST_F(ControlCommandTest, LineFaultsChangeThePlan) {
  Run("silent 3");
  Run("garble 2");
  Run("delay 40");
  Run("burst 5 20");
  EXPECT_EQ(server.faults().silentCommands, 3);
  EXPECT_EQ(server.faults().garbledCommands, 2);
  EXPECT_EQ(server.faults().replyDelayMs, 40);
  EXPECT_EQ(server.faults().burstSize, 5);
  EXPECT_EQ(server.faults().burstGapMs, 20);
}

TEST_F(ControlCommandTest, MistakesAreExplainedNotApplied) {
  EXPECT_NE(Run("in 3 on").find("usage"), std::string::npos);
  EXPECT_NE(Run("unit 9 in 1 on").find("no such unit"), std::string::npos);
  EXPECT_NE(Run("fly away").find("unknown"), std::string::npos);
  EXPECT_NE(Run("silent -1").find("usage"), std::string::npos);
  EXPECT_EQ(Run(""), "");
  EXPECT_EQ(Run("# comment"), "");
  EXPECT_NE(Run("status").find("unit 3 VQ22: position 2000"), std::string::npos);
}

TEST(ControlScript, EventsAreSortedByTime) {
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseControlScript("# demo\n5 in 1 on\n\n1.5 fault ssi\r\n5 in 1 off\n", &events, &error)) << error;
  ASSERT_EQ(events.size(), 3u);
  EXPECT_DOUBLE_EQ(events[0].seconds, 1.5);
  EXPECT_EQ(events[0].command, "fault ssi");
  EXPECT_EQ(events[1].command, "in 1 on");
  EXPECT_EQ(events[2].command, "in 1 off");
}

TEST(ControlScript, BadLinesAreNamed) {
  std::vector<ScriptEvent> events;
  std::string error;
  EXPECT_FALSE(ParseControlScript("1 in 1 on\nsoon fault ssi\n", &events, &error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
  EXPECT_FALSE(ParseControlScript("-1 in 1 on\n", &events, &error));
  EXPECT_FALSE(ParseControlScript("3\n", &events, &error));
}

TEST(SimOptions, DefaultsToOneVq22Unit) {
  auto options = ParseSimOptions({"--pty"}, nullptr);
  ASSERT_TRUE(options);
  ASSERT_EQ(options->units.size(), 1u);
  EXPECT_EQ(options->units[0].number, 0);
  EXPECT_EQ(options->units[0].type, "VQ22");
  EXPECT_FALSE(options->units[0].baud);
  EXPECT_EQ(options->faults.replyDelayMs, 2);
  EXPECT_FALSE(options->faults.wireTime);
}

TEST(SimOptions, ReadsEveryOption) {
  std::string error;
  auto options = ParseSimOptions({"--device", "/dev/ttyUSB0", "--line", "19200,E,8,2", "--unit", "0:VQ22", "--unit",
                                  "7:VQ20:19200:2", "--state", "s", "--log", "l", "--catalogue", "c", "--script", "x",
                                  "--motion", "sine:0:500:4", "--analog-in", "2.5:8", "--reply-delay", "7", "--burst",
                                  "4:30", "--silent", "2", "--garble", "1", "--noise", "12", "--seed", "9",
                                  "--long-reply", "--no-stdin", "--wire-time", "--wire-parity", "E"},
                                 &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->deviceLine, (LineSettings{19200, 8, 'E', 2}));
  EXPECT_EQ(options->units.size(), 2u);
  EXPECT_EQ(options->faults.burstSize, 4);
  EXPECT_EQ(options->faults.burstGapMs, 30);
  EXPECT_DOUBLE_EQ(options->faults.noisePerMinute, 12);
  EXPECT_DOUBLE_EQ(options->analogInVolts, 2.5);
  EXPECT_TRUE(options->longIdentification);
  EXPECT_FALSE(options->readStdin);
  EXPECT_TRUE(options->faults.wireTime);
  EXPECT_EQ(options->faults.wireParity, 'E');
}

TEST(SimOptions, RefusesBadCommandLines) {
  using Args = std::vector<std::string>;
  for (const Args& args : {Args{}, Args{"--pty", "--device", "/dev/x"}, Args{"--pty", "--unit", "0:VQ22", "--unit",
                                                                             "0:VQ20"},
                           Args{"--pty", "--bogus"}, Args{"--pty", "--reply-delay"}, Args{"--pty", "--burst", "0:5"},
                           Args{"--pty", "--wire-parity", "X"},
                           Args{"--pty", "--motion", "circle"}, Args{"--pty", "--unit", "40:VQ22"},
                           Args{"--pty", "--faults", "loud=1"}, Args{"--pty", "--faults", "late=x"},
                           Args{"--pty", "--faults", "garble=60,silent=50"}}) {
    std::string error;
    EXPECT_FALSE(ParseSimOptions(args, &error));
    EXPECT_FALSE(error.empty());
  }
  EXPECT_NE(SimUsage().find("--pty"), std::string::npos);
  EXPECT_NE(SimUsage().find("fault ssi"), std::string::npos);
  EXPECT_NE(SimUsage().find("--wire-time"), std::string::npos);
}

TEST(TrafficLog, QuotesBytesWithCEscapes) {
  EXPECT_EQ(QuoteBytes("sc 0\r\n"), "\"sc 0\\r\\n\"");
  EXPECT_EQ(QuoteBytes(std::string("a\tb\\c\"d\x01\xff", 9)), "\"a\\tb\\\\c\\\"d\\x01\\xFF\"");
  EXPECT_EQ(QuoteBytes(std::string(1, '\0')), "\"\\x00\"");
}

TEST(TrafficLog, TimeStampHasMilliseconds) {
  std::string stamp = LocalTimeStamp(std::chrono::system_clock::time_point(std::chrono::milliseconds(1234567)));
  ASSERT_EQ(stamp.size(), 12u);
  EXPECT_EQ(stamp.substr(8), ".567");
  EXPECT_EQ(stamp[2], ':');
  EXPECT_EQ(stamp[5], ':');
}

}  // namespace
