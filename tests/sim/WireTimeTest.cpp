// The line server with wire time: character times of each framing, and the
// moments at which commands act and reply bytes leave, in simulated time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineServer.h"

namespace {

TEST(WireTime, CharacterTimeFollowsTheFraming) {
  struct Row {
    LineSettings line;
    int bits;
    std::int64_t nanoseconds;  // one character, rounded down
  };
  const Row rows[] = {
      {{9600, 8, 'E', 1}, 11, 1145833},  {{9600, 8, 'N', 1}, 10, 1041666}, {{19200, 7, 'O', 2}, 11, 572916},
      {{115200, 8, 'N', 1}, 10, 86805}, {{28800, 8, 'N', 2}, 11, 381944}, {{1200, 7, 'N', 1}, 9, 7500000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line.LogText());
    EXPECT_EQ(row.line.BitsPerCharacter(), row.bits);
    EXPECT_EQ(row.line.WireTime(1).count(), row.nanoseconds);
  }
  EXPECT_EQ(LineSettings({9600, 8, 'E', 1}).WireTime(3000).count(), 3'437'500'000) << "no rounding adds up";
  EXPECT_EQ(LineSettings({0, 8, 'N', 1}).WireTime(10).count(), 0) << "an unknown rate takes no time";
}

class WireTimeServer : public ::testing::Test {
protected:
  static constexpr double kCharacter = 11.0 / 9600;  // 8E1 at 9600 bit/s
  static constexpr double kReplyDelay = 0.002;

  void SetUp() override {
    SimDeviceSetup setup;
    setup.motion = MotionProfile(MotionProfile::Shape::Still, 1000, 1000, 1);
    auto device = std::make_unique<SimDevice>(setup, DeviceMemory::Defaults(setup.limits), start);
    bus.AddUnit(*ParseUnitConfig("0:VQ22", nullptr), std::move(device));
    server = std::make_unique<LineServer>(bus, nullptr);
    server->faults().wireTime = true;
  }
  SimTime At(double seconds) const {
    return start + std::chrono::duration_cast<SimDuration>(std::chrono::duration<double>(seconds));
  }
  void Send(const std::string& bytes, double atSeconds = 0) {
    server->Receive(bytes, LineSettings{9600, 8, 'E', 1}, At(atSeconds));
  }
  // Steps the clock in 10 microseconds up to `untilSeconds`; the moment each
  // byte was handed out, and all bytes in *bytes.
  std::vector<double> HandedOut(double fromSeconds, double untilSeconds, std::string* bytes) {
    std::vector<double> moments;
    for (double t = fromSeconds; t <= untilSeconds; t += kStep) {
      const std::string due = server->TakeDue(At(t));
      moments.insert(moments.end(), due.size(), t);
      *bytes += due;
    }
    return moments;
  }
  // Each moment lies at most one step after the expected one, never before.
  static void ExpectMoments(const std::vector<double>& moments, const std::vector<double>& expected) {
    ASSERT_EQ(moments.size(), expected.size());
    for (std::size_t i = 0; i < moments.size(); ++i) {
      SCOPED_TRACE("byte " + std::to_string(i));
      EXPECT_GE(moments[i], expected[i] - 1e-7);
      EXPECT_LT(moments[i], expected[i] + kStep + 1e-7);
    }
  }
  static std::vector<double> Paced(double firstStart, std::size_t count) {
    std::vector<double> moments;
    for (std::size_t k = 1; k <= count; ++k) moments.push_back(firstStart + static_cast<double>(k) * kCharacter);
    return moments;
  }

  static constexpr double kStep = 10e-6;
  SimTime start = SimClock::now();
  LineBus bus;
  std::unique_ptr<LineServer> server;
};

TEST_F(WireTimeServer, CommandActsWhenItsCrHasEndedAndTheReplyLeavesByteByByte) {
  Send("sc 0\r");
  ASSERT_TRUE(server->NextDue());
  EXPECT_NEAR(SecondsBetween(start, *server->NextDue()), 5 * kCharacter, 1e-8) << "the CR ends after 5 characters";
  std::string bytes;
  const auto moments = HandedOut(0, 0.05, &bytes);
  EXPECT_EQ(bytes, "sc 0\r\n");
  ExpectMoments(moments, Paced(5 * kCharacter + kReplyDelay, 6));
}

TEST_F(WireTimeServer, ParityNamedByThePlanReplacesTheLines) {
  server->faults().wireParity = 'N';
  Send("sc 0\r");
  ASSERT_TRUE(server->NextDue());
  EXPECT_NEAR(SecondsBetween(start, *server->NextDue()), 5 * 10.0 / 9600, 1e-8) << "8N1: 10 bits a character";
}

TEST_F(WireTimeServer, ABytePausedOnTheLineIsNotCountedTwice) {
  Send("sc 0", 0);
  Send("\r", 0.1);
  std::string bytes;
  const auto moments = HandedOut(0.1, 0.15, &bytes);
  ASSERT_FALSE(moments.empty());
  ExpectMoments({moments[0]}, {0.1 + kCharacter + kReplyDelay + kCharacter});
}

TEST_F(WireTimeServer, RepliesQueueBehindOneAnother) {
  Send("sc 0\rrt\r");  // the second CR ends after 8 characters, while the first reply is still going out
  std::string bytes;
  const auto moments = HandedOut(0, 0.1, &bytes);
  EXPECT_EQ(bytes, "sc 0\r\nrt VQ22 V2.14\r\n");
  std::vector<double> expected = Paced(5 * kCharacter + kReplyDelay, 6);
  const auto second = Paced(expected.back(), 15);
  expected.insert(expected.end(), second.begin(), second.end());
  ExpectMoments(moments, expected);
}

TEST_F(WireTimeServer, BurstGapFollowsTheBurstsLastByte) {
  server->faults().burstSize = 4;
  server->faults().burstGapMs = 30;
  Send("sc 0\r");
  std::string bytes;
  const auto moments = HandedOut(0, 0.1, &bytes);
  std::vector<double> expected = Paced(5 * kCharacter + kReplyDelay, 4);
  const auto second = Paced(expected.back() + 0.030, 2);
  expected.insert(expected.end(), second.begin(), second.end());
  ExpectMoments(moments, expected);
}

}  // namespace
