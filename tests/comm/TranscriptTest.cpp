// The traffic transcript written and read back: awkward bytes survive the
// round trip, lines reach the file within a second of simulated time, and a
// full file is rotated, never grown beyond its cap.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "comm/TrafficTranscript.h"
#include "comm/TranscriptReader.h"

namespace {

namespace fs = std::filesystem;
using Kind = TranscriptEvent::Kind;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class Transcript : public ::testing::Test {
protected:
  Transcript() : path_(fs::temp_directory_path() / ("vq2x-transcript-" + std::to_string(getpid()) + ".txt")) {}
  ~Transcript() override {
    fs::remove(path_);
    fs::remove(path_.string() + ".1");
  }
  std::unique_ptr<TrafficTranscript> Open(std::uint64_t cap = 16u << 20) {
    TranscriptSetup setup;
    setup.path = path_.string();
    setup.capBytes = cap;
    setup.program = "test 1.0";
    setup.portPath = [](TPort) { return "/dev/tty \"x\""; };
    setup.clockMs = [this] { return now_; };
    std::string error;
    auto transcript = TrafficTranscript::Open(setup, &error);
    EXPECT_TRUE(transcript) << error;
    return transcript;
  }
  fs::path path_;
  std::int64_t now_ = 1000;
};

TEST_F(Transcript, AwkwardBytesComeBackAsTheyWent) {
  std::string every(255, '\0');
  std::iota(every.begin(), every.end(), '\0');
  const std::string reply = "rp\xB1 1\\ \"6\"\r\n", longReply(1500, '\xFF');
  {
    auto t = Open();
    t->PortOpened(TPort::COM3, {TBaudrate::br19200, TDataBit::db_7, TParityBit::Odd, TStopBit::sb_2}, "");
    t->ExchangeStarted(Bytes(every));
    t->ReplyBytes(Bytes(reply), true);
    now_ += 40;
    t->ReplyBytes(Bytes("rp 1 6"), true);
    t->ReplyBytes(Bytes("\r\n"), false);
    t->ExchangeEnded({ceLineError, 0, CE_RXPARITY});
    t->ExchangeStarted(Bytes("rt\r"));
    t->ExchangeEnded({ceTimeout, 0, 0});
    t->ExchangeStarted(Bytes("rh\r"));
    t->ReplyBytes(Bytes(longReply), true);
    t->PortClosed();
    t->PortOpened(TPort::COM4, {}, "Device or resource \"busy\"");
  }
  const TranscriptRead read = ReadTranscript(FileText(path_));
  EXPECT_TRUE(read.recognised);
  EXPECT_EQ(read.program, "test 1.0");
  EXPECT_TRUE(read.problems.empty()) << read.problems.front();
  ASSERT_EQ(read.events.size(), 6u);
  EXPECT_EQ(read.events[0].path, "/dev/tty \"x\"");
  EXPECT_EQ(read.events[0].settings, "19200,O,7,2");
  const TranscriptEvent& garbled = read.events[1];
  EXPECT_EQ(garbled.sent, every);
  EXPECT_EQ(garbled.replies, (std::vector<std::string>{reply, "rp 1 6\r\n"}));
  EXPECT_EQ(garbled.outcome, TranscriptOutcome::LineError);
  EXPECT_EQ(garbled.flags, CE_RXPARITY);
  EXPECT_EQ(garbled.durationMs, 40);
  EXPECT_EQ(read.events[2].outcome, TranscriptOutcome::Timeout);
  EXPECT_TRUE(read.events[2].replies.empty());
  EXPECT_EQ(read.events[3].outcome, TranscriptOutcome::Cancelled);
  EXPECT_EQ(read.events[3].replies.at(0), longReply.substr(0, kMaxRecordedReplyBytes));
  EXPECT_EQ(read.events[3].omitted, longReply.size() - kMaxRecordedReplyBytes);
  EXPECT_EQ(read.events[4].kind, Kind::Close);
  EXPECT_EQ(read.events[5].kind, Kind::OpenFailed);
  EXPECT_EQ(read.events[5].failure, "Device or resource \"busy\"");
}

// What a killed program leaves: every line older than a second is on disk.
TEST_F(Transcript, LinesReachTheFileWithinASecond) {
  auto t = Open();
  t->PortOpened(TPort::COM1, {}, "");
  now_ += 500;
  t->Tick();
  EXPECT_EQ(FileText(path_).find(" open "), std::string::npos) << "buffered, not written line by line";
  now_ += 300;
  t->Tick();
  const TranscriptRead read = ReadTranscript(FileText(path_));
  ASSERT_EQ(read.events.size(), 1u);
  EXPECT_EQ(read.events[0].kind, Kind::Open);
}

TEST_F(Transcript, AFullFileMovesAsideAndNoFileOutgrowsTheCap) {
  constexpr std::uint64_t cap = kMinimumTranscriptCap;
  {
    auto t = Open(cap);
    t->PortOpened(TPort::COM1, {}, "");
    for (int i = 0; i < 3000; ++i) {
      const std::string command = "rp " + std::to_string(i) + "\r";
      t->ExchangeStarted(Bytes(command));
      t->ReplyBytes(Bytes(command + "\n"), true);
      t->ExchangeEnded({});
    }
  }
  const fs::path older = path_.string() + ".1";
  ASSERT_TRUE(fs::exists(older));
  EXPECT_LE(fs::file_size(path_), cap);
  EXPECT_LE(fs::file_size(older), cap);
  const TranscriptRead last = ReadTranscript(FileText(path_)), before = ReadTranscript(FileText(older));
  EXPECT_TRUE(last.recognised && before.recognised && last.problems.empty() && before.problems.empty());
  EXPECT_NE(FileText(path_).find("# part "), std::string::npos);
  EXPECT_EQ(last.events.back().sent, "rp 2999\r");
  EXPECT_EQ(std::stoi(before.events.back().sent.substr(3)) + 1, std::stoi(last.events.front().sent.substr(3)));
}

TEST(TranscriptReader, KeepsWhatItUnderstandsOfADamagedFile) {
  const TranscriptRead read = ReadTranscript(
      "# vq2x traffic transcript 1\n"
      "  5 exchange reply 3ms > \"rt\\r\" < \"rt \\xZZ\"\n"
      " 10 exchange reply 3ms > \"rh\\r\" < \"rh x\\r\\n\"\n"
      " 12 exchange reply 3ms > \"rx\\r\" < \"rx");
  ASSERT_EQ(read.events.size(), 1u);
  EXPECT_EQ(read.events[0].sent, "rh\r");
  EXPECT_EQ(read.problems, (std::vector<std::string>{"line 2: not understood", "line 4: cut off"}));
}

}  // namespace
