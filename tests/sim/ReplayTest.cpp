// Answers from a recorded transcript: a repeated command gets its recorded
// replies in the order they occurred, a time-out stays silent, and what
// was not recorded gets nothing.
#include <gtest/gtest.h>

#include "TranscriptReplay.h"

TEST(Replay, AnswersEachCommandWithWhatWasRecordedForIt) {
  std::string error;
  auto replay = TranscriptReplay::Parse(
      "# vq2x traffic transcript 1\n"
      "  0 open COM1 \"/dev/ttyS0\" 9600,E,8,1\n"
      "  1 exchange reply 5ms > \"rf\\r\" < \"rf -1\\r\\n\"\n"
      "  9 exchange timeout 100ms > \"rt\\r\"\n"
      " 20 exchange line-error 90ms code=4098 flags=4 > \"rf\\r\" < \"r\\xE6\" < \"rf 10\\r\\n\"\n"
      " 30 exchange reply 5ms > \"rh\\r\" < \"rh", &error);
  ASSERT_TRUE(replay) << error;
  const struct {
    const char* command;
    std::optional<std::string> reply;
  } heard[] = {{"rt\r", ""}, {"rf\r", "rf -1\r\n"}, {"rf\r", "rf 10\r\n"}, {"rf\r", std::nullopt}, {"rh\r", std::nullopt}};
  for (const auto& h : heard) EXPECT_EQ(replay->Answer(h.command), h.reply) << h.command;
  EXPECT_EQ(replay->Remaining(), 0u);
  EXPECT_FALSE(TranscriptReplay::Parse("1 exchange reply 5ms > \"rf\\q\"\n", &error));
}
