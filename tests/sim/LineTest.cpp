// Units on a shared line: selection, framing mismatch, and the line server's
// framing, timing and faults, without a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "LineServer.h"

namespace {

LineSettings Line(int baud, int stopBits = 1, char parity = 'N') { return LineSettings{baud, 8, parity, stopBits}; }

std::unique_ptr<SimDevice> Device(int unit, const std::string& type, SimTime start) {
  SimDeviceSetup setup;
  setup.unitNumber = unit;
  setup.type = type;
  setup.motion = MotionProfile(MotionProfile::Shape::Still, 1000, 1000, 1);
  return std::make_unique<SimDevice>(setup, DeviceMemory::Defaults(setup.limits), start);
}

class LineBusTest : public ::testing::Test {
protected:
  void SetUp() override {
    bus.AddUnit(*ParseUnitConfig("0:VQ22", nullptr), Device(0, "VQ22", start));
    bus.AddUnit(*ParseUnitConfig("7:VQ20:19200:2", nullptr), Device(7, "VQ20", start));
  }
  std::string Hear(const char* line, LineSettings settings) { return bus.Hear(line, settings, start); }

  SimTime start = SimClock::now();
  LineBus bus;
};

TEST_F(LineBusTest, NobodyAnswersBeforeASelection) {
  EXPECT_EQ(Hear("rt", Line(9600)), "");
  EXPECT_EQ(Hear("rt", Line(19200, 2)), "");
}

TEST_F(LineBusTest, OnlyTheSelectedUnitAnswers) {
  EXPECT_EQ(Hear("sc 0", Line(19200, 2)), "sc 0\r\n");
  EXPECT_EQ(Hear("rt", Line(19200, 2)), "rt VQ22 V2.14\r\n");
  EXPECT_EQ(Hear("sc 7", Line(19200, 2)), "sc 7\r\n");
  EXPECT_EQ(Hear("rt", Line(19200, 2)), "rt VQ20 V2.14\r\n");
}

TEST_F(LineBusTest, SelectingAMissingUnitDeselectsAllWithoutReply) {
  EXPECT_EQ(Hear("sc 0", Line(9600)), "sc 0\r\n");
  EXPECT_EQ(Hear("sc 5", Line(9600)), "");
  EXPECT_EQ(Hear("rt", Line(9600)), "");
  EXPECT_EQ(Hear("sc", Line(9600)), "");
  EXPECT_EQ(Hear("sc 0", Line(9600)), "sc 0\r\n");
  EXPECT_EQ(Hear("sc x", Line(9600)), "");
  EXPECT_EQ(Hear("rt", Line(9600)), "");
}

TEST_F(LineBusTest, AUnitAtAnotherBaudRateOrStopBitsDoesNotAnswer) {
  EXPECT_EQ(Hear("sc 7", Line(38400, 2)), "");
  EXPECT_EQ(Hear("sc 7", Line(19200, 1)), "");
  EXPECT_EQ(Hear("rt", Line(19200, 2)), "") << "the select at the wrong rate must not have selected it";
}

TEST_F(LineBusTest, ASelectedUnitSendsOnlyGarbageAfterTheRateChanged) {
  EXPECT_EQ(Hear("sc 7", Line(19200, 2)), "sc 7\r\n");
  for (int i = 0; i < 20; ++i) {
    std::string reply = Hear("rt", Line(38400, 2));
    EXPECT_GE(reply.size(), 1u);
    EXPECT_LE(reply.size(), 3u);
    EXPECT_EQ(reply.find('\n'), std::string::npos);
    EXPECT_EQ(reply.find("rt"), std::string::npos);
  }
  EXPECT_EQ(Hear("rt", Line(19200, 2)), "rt VQ20 V2.14\r\n") << "still selected at its own rate";
}

TEST_F(LineBusTest, SelectedUnitAnswersAnUnparsableLineWithError1) {
  Hear("sc 0", Line(9600));
  EXPECT_EQ(Hear("rtx", Line(9600)), "er 1\r\n");
  EXPECT_EQ(Hear("?", Line(9600)), "er 1\r\n");
}

TEST(UnitConfig, ParsesTheUnitOption) {
  auto unit = ParseUnitConfig("7:VQ20:19200:2", nullptr);
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->number, 7);
  EXPECT_EQ(unit->type, "VQ20");
  EXPECT_EQ(unit->baud, 19200);
  EXPECT_EQ(unit->stopBits, 2);
  EXPECT_TRUE(unit->Hears(Line(19200, 2, 'E')));
  EXPECT_FALSE(unit->Hears(Line(9600, 2)));
  auto any = ParseUnitConfig("0:VQ22", nullptr);
  ASSERT_TRUE(any);
  EXPECT_TRUE(any->Hears(Line(115200, 2)));
  auto even = ParseUnitConfig("0:VQ22:9600:1:E", nullptr);
  ASSERT_TRUE(even);
  EXPECT_TRUE(even->Hears(Line(9600, 1, 'E')));
  EXPECT_FALSE(even->Hears(Line(9600, 1, 'N')));
}

TEST(UnitConfig, RefusesMalformedUnits) {
  for (const char* text : {"", "0", "32:VQ22", "-1:VQ22", "0:", "0:VQ22:9601", "0:VQ22:9600:3", "0:VQ22:9600:1:X",
                           "x:VQ22", "0:VQ22:9600:1:N:extra"}) {
    std::string error;
    EXPECT_FALSE(ParseUnitConfig(text, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

class LineServerTest : public ::testing::Test {
protected:
  void SetUp() override {
    bus.AddUnit(*ParseUnitConfig("0:VQ22", nullptr), Device(0, "VQ22", start));
    logFile = std::tmpfile();
    log = std::make_unique<TrafficLog>(logFile);
    server = std::make_unique<LineServer>(bus, log.get());
  }
  void TearDown() override { std::fclose(logFile); }

  void Send(const std::string& bytes, int atMs = 0) { server->Receive(bytes, Line(9600), start + Milliseconds(atMs)); }
  std::string Take(int atMs) { return server->TakeDue(start + Milliseconds(atMs)); }
  std::string LogText() {
    std::rewind(logFile);
    std::string text;
    for (int c; (c = std::fgetc(logFile)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  SimTime start = SimClock::now();
  LineBus bus;
  std::FILE* logFile = nullptr;
  std::unique_ptr<TrafficLog> log;
  std::unique_ptr<LineServer> server;
};

TEST_F(LineServerTest, ReplyLeavesAfterTheReplyDelay) {
  Send("sc 0\r");
  EXPECT_EQ(server->NextDue(), start + Milliseconds(2));
  EXPECT_EQ(Take(1), "");
  EXPECT_EQ(Take(2), "sc 0\r\n");
  EXPECT_FALSE(server->NextDue());
}

TEST_F(LineServerTest, CommandMayArriveInPiecesAndLineFeedsAreIgnored) {
  Send("s");
  Send("c 0");
  EXPECT_FALSE(server->NextDue());
  Send("\r\n");
  Send("rt\r");
  EXPECT_EQ(Take(10), "sc 0\r\nrt VQ22 V2.14\r\n");
}

TEST_F(LineServerTest, BurstsSplitTheReply) {
  server->faults().burstSize = 4;
  server->faults().burstGapMs = 30;
  Send("sc 0\r");
  Send("rt\r");
  EXPECT_EQ(Take(2), "sc 0");
  EXPECT_EQ(Take(31), "");
  EXPECT_EQ(Take(32), "\r\n");
  EXPECT_EQ(Take(62), "rt V");
  EXPECT_EQ(Take(1000), "Q22 V2.14\r\n");
}

TEST_F(LineServerTest, SilentCommandsGetNoReplyButStillAct) {
  server->faults().silentCommands = 1;
  Send("sc 0\r");
  EXPECT_EQ(Take(100), "");
  Send("rt\r", 100);
  EXPECT_EQ(Take(200), "rt VQ22 V2.14\r\n");
}

TEST_F(LineServerTest, GarbledReplyNoLongerEchoesTheCode) {
  Send("sc 0\r");
  server->faults().garbledCommands = 1;
  Send("rp 203\r");
  Send("rp 203\r");
  std::string replies = Take(100);
  ASSERT_EQ(replies.substr(0, 6), "sc 0\r\n");
  std::string garbled = replies.substr(6, 10);
  EXPECT_NE(garbled.substr(0, 2), "rp");
  EXPECT_EQ(garbled.substr(garbled.size() - 2), "\r\n");
  EXPECT_EQ(replies.substr(16), "rp 203 2\r\n");
}

TEST_F(LineServerTest, OverlongLineIsDropped) {
  Send("sc 0\r");
  Send(std::string(200, 'r') + "\r");
  Send("rt\r");
  EXPECT_EQ(Take(100), "sc 0\r\nrt VQ22 V2.14\r\n");
}

TEST_F(LineServerTest, EmptyLineGetsNoReply) {
  Send("sc 0\r");
  Send("\r");
  Send("  \r");
  EXPECT_EQ(Take(100), "sc 0\r\n");
}

TEST_F(LineServerTest, NoiseArrivesAtRandomTimes) {
  server->SetNoise(600, start);  // ten a second on average
  ASSERT_TRUE(server->NextDue());
  std::string noise;
  for (int ms = 0; ms < 20000; ms += 50) noise += Take(ms);
  EXPECT_GT(noise.size(), 20u);
  server->SetNoise(0, start);
  EXPECT_FALSE(server->NextDue());
  EXPECT_NE(LogText().find(" noise \""), std::string::npos);
}

// Each random fault at 100 %, on the reply "rp 203 2\r\n" (due 2 ms after
// the command): what the line carries at which time.
TEST_F(LineServerTest, RandomFaultsHitTheReply) {
  const std::string reply = "rp 203 2\r\n";
  struct Case {
    const char* faults;
    std::vector<std::pair<int, std::string>> carried;  // (ms after the command, bytes handed out by then)
  };
  const Case cases[] = {
      {"double=100", {{2, reply + reply}}},
      {"silent=100", {{5000, ""}}},
      {"late=100", {{1301, ""}, {1302, reply}}},
      {"split=100", {{81, "?"}, {82, reply}}},
  };
  int now = 0;
  Send("sc 0\r");
  Take(now += 10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults);
    server->faults().random = *ParseRandomFaults(c.faults, nullptr);
    Send("rp 203\r", now);
    std::string line;
    for (const auto& [ms, expected] : c.carried) {
      line += Take(now + ms);
      if (expected == "?") EXPECT_TRUE(!line.empty() && line.size() < reply.size() && reply.starts_with(line));
      else EXPECT_EQ(line, expected);
    }
    now += 6000;
    EXPECT_NE(LogText().find(std::string(" fault ") + std::string(c.faults).substr(0, 4)), std::string::npos);
  }
}

TEST_F(LineServerTest, LogsCommandsRepliesAndLineChanges) {
  server->NoteSettings(Line(9600, 1, 'O'));
  server->NoteSettings(Line(9600, 1, 'O'));
  Send("sc 0\r");
  Take(10);
  std::string text = LogText();
  // "HH:MM:SS.mmm line 9600 8 O 1", then rx and tx, each once.
  std::size_t line = text.find(" line 9600 8 O 1\n");
  std::size_t rx = text.find(" rx \"sc 0\\r\"\n");
  std::size_t tx = text.find(" tx \"sc 0\\r\\n\"\n");
  ASSERT_NE(line, std::string::npos) << text;
  ASSERT_NE(rx, std::string::npos) << text;
  ASSERT_NE(tx, std::string::npos) << text;
  EXPECT_LT(line, rx);
  EXPECT_LT(rx, tx);
  EXPECT_EQ(text.find(" line ", line + 1), text.find(" line 9600 8 N 1")) << "the receive at 8N1 is a change";
  EXPECT_EQ(text[2], ':');
  EXPECT_EQ(text[8], '.');
}

}  // namespace
