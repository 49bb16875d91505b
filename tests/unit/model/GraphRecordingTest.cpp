// The live log graph's recording, sources and CSV export.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "model/GraphRecording.h"
#include "platform/AtomicFile.h"

namespace {

ResultBytes Line(const std::string& s) {
  const std::string line = s + "\r\n";
  return ResultBytes(line.begin(), line.end());
}
using Table = std::array<std::int32_t, kParameterCount>;

TEST(GraphRecording, TimesCountFromTheFirstReply) {
  GraphRecording recording;
  recording.Start();
  EXPECT_EQ(recording.LogCount(), -1);
  EXPECT_EQ(recording.BufferTimeText(), "0,0 sec");
  recording.AddSample(Line("r0 7"), 5000);
  recording.AddSample(Line("r0 -8"), 17345);
  EXPECT_EQ(recording.LogCount(), 1);
  EXPECT_EQ(recording.LogStartTick(), 5000);
  EXPECT_EQ(recording.LogTimes()[1], 12345);
  EXPECT_EQ(recording.LogValues()[1], -8);
  EXPECT_EQ(recording.BufferTimeText(), "12,3 sec");

  recording.Start();
  recording.AddSample(Line("r0 1"), 90000);
  EXPECT_EQ(recording.LogTimes()[0], 0);
  EXPECT_EQ(recording.LogValues()[0], 1);
}

TEST(GraphRecording, AValueThatIsNoNumberKeepsTheOldEntryButTakesItsTime) {
  GraphRecording recording;
  recording.AddSample(Line("r0 1"), 0);
  recording.AddSample(Line("r0 2"), 10);
  recording.Start();
  recording.AddSample(Line("r0 5"), 100);
  // A reply longer than 50 bytes lost digits at the cut: its first 50 bytes would read as 0.
  const std::string longValue = std::string(45, '0') + "12";
  const std::string replies[] = {"r0 abc", "r0", "r0 " + longValue};
  for (const std::string& reply : replies) {
    SCOPED_TRACE(reply);
    EXPECT_EQ(recording.AddSample(Line(reply), 200), SampleOutcome::Added);
    EXPECT_EQ(recording.LogValues()[1], 2);
    EXPECT_EQ(recording.LogTimes()[1], 100);
    recording.Start();
    recording.AddSample(Line("r0 5"), 100);
  }
  EXPECT_FALSE(PollReplyValue(Line("r0 " + longValue)));
  EXPECT_EQ(PollReplyValue(Line("r0 " + std::string(40, '0') + "42")), 42);  // 47 bytes: looked at whole
}

TEST(GraphRecording, OnlyAReplyThatEchoesThePollIsAValue) {
  EXPECT_EQ(PollReplyValue(Line("r8 -17"), "r8"), -17);
  EXPECT_FALSE(PollReplyValue(Line("er 1"), "r8"));  // refused: not the value 1
  EXPECT_FALSE(PollReplyValue(Line("r0 17"), "r8"));  // a late answer to another poll
}

TEST(GraphRecording, The4001stSampleFillsTheBuffer) {
  GraphRecording recording;
  recording.Start();
  for (int i = 0; i < kLastLogIndex; ++i)
    ASSERT_EQ(recording.AddSample(std::optional<std::int32_t>(i), i * 80), SampleOutcome::Added);
  EXPECT_EQ(recording.AddSample(std::optional<std::int32_t>(-1), 400000), SampleOutcome::BufferFull);
  EXPECT_TRUE(recording.Full());
  EXPECT_EQ(recording.LogCount(), 4000);
  // A reply still on its way must not replace the last sample.
  EXPECT_EQ(recording.AddSample("77", 500000), SampleOutcome::Ignored);
  EXPECT_EQ(recording.LogValues()[4000], -1);
  EXPECT_EQ(recording.LogTimes()[4000], 400000);
}

TEST(GraphSources, CommandsUnitsAndForcedScales) {
  struct Row { int source; const char* command; const char* unit; int forced; };
  const Row rows[] = {{0, "r0", "(AWE)", -1}, {2, "r8", "(AWE)", -1}, {3, "r2", "(V)", 7}, {4, "r3", "(mA)", 8},
                      {5, "r4", "(V)", 7},    {6, "r5", "(mA)", 8},    {8, "rb", "(AWE)", -1}, {9, "r0", "(AWE)", -1},
                      {-1, "r0", "(AWE)", -1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.source);
    EXPECT_STREQ(GraphSourceAt(row.source).command, row.command);
    EXPECT_STREQ(GraphSourceAt(row.source).unitCaption, row.unit);
    EXPECT_EQ(GraphSourceAt(row.source).forcedValueScaleIndex, row.forced);
  }
  EXPECT_EQ(StoredIndexOrFirst(5, 6), 5);
  EXPECT_EQ(StoredIndexOrFirst(6, 6), 0);
  EXPECT_EQ(GraphErrorStatusIndex({ceTimeout, 0, 0}), 0);
  EXPECT_EQ(GraphErrorStatusIndex({ceLineError, 0, CE_OVERRUN}), 1);
  EXPECT_EQ(GraphErrorStatusIndex({cePortClosed, 0, 0}), 1);  // no flags, still a failure
  EXPECT_FALSE(GraphErrorStatusIndex({}));
}

TEST(GraphCsv, PointAsDecimalSeparatorAndValuesAsTheAxisShowsThem) {
  GraphRecording recording;
  recording.Start();
  recording.AddSample("100000", 1000);
  recording.AddSample("-5", 1080);
  Table p{};
  p[203] = 2;
  EXPECT_EQ(GraphCsvText(recording, 4, p), "time (ms),raw value,value (mA)\r\n0,100000,10.0000\r\n80,-5,-0.0005\r\n");
  EXPECT_EQ(GraphCsvText(recording, 0, p), "time (ms),raw value,value (AWE)\r\n0,100000,1000.00\r\n80,-5,-0.05\r\n");
  recording.Start();
  EXPECT_EQ(GraphCsvText(recording, 0, p), "time (ms),raw value,value (AWE)\r\n");
}

TEST(GraphCsv, SavesAtomicallyOrSaysWhy) {
  GraphRecording recording;
  recording.AddSample("3", 0);
  const auto dir = std::filesystem::temp_directory_path() / ("graph-csv-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "log.csv").string();
  std::string error;
  ASSERT_TRUE(SaveGraphCsv(path, recording, 0, Table{}, &error)) << error;
  std::string content;
  ASSERT_TRUE(ReadWholeFile(path, &content, 1 << 20));
  EXPECT_EQ(content, GraphCsvText(recording, 0, Table{}));
  EXPECT_FALSE(SaveGraphCsv((dir / "missing" / "log.csv").string(), recording, 0, Table{}, &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::remove_all(dir);
}

}  // namespace
