// Parameters, setpoints and EEPROM words survive a restart through the state file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "SimTestSupport.h"
#include "StateStore.h"

namespace {

class PersistenceTest : public ::testing::Test {
protected:
  void SetUp() override {
    char name[] = "/tmp/vq2x-sim-state-XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    close(fd);
    path = name;
    std::remove(path.c_str());
  }
  void TearDown() override { std::remove(path.c_str()); }

  // One run: load the file, build unit 0 from it, run the commands, save.
  std::vector<std::string> Run(const std::vector<std::string>& commands) {
    StateStore store(path);
    std::string warning;
    store.Load(&warning);
    ParameterLimits limits = BuiltInLimits();
    SimDeviceSetup setup;
    setup.motion = MotionProfile(MotionProfile::Shape::Still, 2000, 2000, 1);
    SimTime now = SimClock::now();
    SimDevice device(setup, store.UnitMemory(0, limits), now);
    std::vector<std::string> replies;
    for (const std::string& line : commands) replies.push_back(device.Execute(*ParseDeviceCommand(line), now));
    store.SetUnit(0, "VQ22", device.memory());
    std::string error;
    EXPECT_TRUE(store.Save(&error)) << error;
    return replies;
  }

  std::string path;
};

TEST_F(PersistenceTest, ValuesSurviveARestart) {
  Run({"wp 120 777", "ws 4 -4444", "km 1", "kw 2041 12", "ks", "kw 2042 5", "wp 7 3000", "bp", "wp 8 1"});
  auto replies = Run({"rp 120", "rs 4", "kr 2041", "kr 2042", "ru", "rp 8"});
  EXPECT_EQ(replies[0], "rp 120 777");
  EXPECT_EQ(replies[1], "rs 4 -4444");
  EXPECT_EQ(replies[2], "kr 2041 12");
  EXPECT_EQ(replies[3], "kr 2042 0") << "a word not stored with ks is lost at power-off";
  EXPECT_EQ(replies[4], "ru 0") << "the taken-over set is active after the restart";
  EXPECT_EQ(replies[5], "rp 8 1") << "a written but not computed value persists too";
}

TEST_F(PersistenceTest, MissingFileStartsFromDefaults) {
  auto replies = Run({"rp 203", "rs 1"});
  EXPECT_EQ(replies[0], "rp 203 2");
  EXPECT_EQ(replies[1], "rs 1 400");
}

TEST_F(PersistenceTest, CorruptFileStartsFromDefaults) {
  for (const char* content : {"\x01\x02garbage\n[unit 0]\nparameters=1,2,3\nsetpoints=a,b\n",
                              "[unit 0]\nparameters=\nactive=x\neeprom=1,2\n", ""}) {
    std::ofstream(path, std::ios::binary) << content;
    auto replies = Run({"rp 203", "rs 1", "kr 2029", "bp"});
    EXPECT_EQ(replies[0], "rp 203 2");
    EXPECT_EQ(replies[1], "rs 1 400");
    EXPECT_EQ(replies[2], "kr 2029 65208");
    EXPECT_EQ(replies[3], "bp -1");
  }
}

TEST_F(PersistenceTest, OtherUnitsInTheFileAreKept) {
  std::ofstream(path) << "[unit 9]\ntype=VQ21\nsetpoints=1,2,3\n";
  Run({"ws 1 5"});
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[unit 9]"), std::string::npos);
  EXPECT_NE(text.find("[unit 0]"), std::string::npos);
}

}  // namespace
