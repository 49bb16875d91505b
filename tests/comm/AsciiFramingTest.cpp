// The ASCII reply framing as a table, fed whole (one hand-over at the end)
// and byte by byte (a hand-over after every byte, as the worker does): both
// must deliver the same reply with the same outcome.
#include <gtest/gtest.h>

#include <string>

#include "comm/AsciiFraming.h"

namespace {

struct FramingCase {
  const char* name;
  AsciiFraming framing;
  std::string wire;  // bytes as they arrive, then silence
  AsciiStep outcome;
  std::string delivered;
};

struct Decoded {
  AsciiStep outcome = AsciiStep::NeedMore;
  std::string delivered;
};

Decoded Feed(const FramingCase& c, bool handOverEachByte) {
  AsciiReplyDecoder decoder(c.framing);
  Decoded out;
  auto take = [&] {
    out.delivered.append(decoder.Pending().begin(), decoder.Pending().end());
    decoder.TakePending();
  };
  for (const char ch : c.wire) {
    out.outcome = decoder.Push(static_cast<std::uint8_t>(ch), 0);
    if (out.outcome == AsciiStep::NeedMore) {
      if (handOverEachByte) take();
      continue;
    }
    if (out.outcome == AsciiStep::Done) take();
    return out;
  }
  out.outcome = decoder.Silence();
  if (out.outcome == AsciiStep::Done) take();
  return out;
}

const AsciiFraming kPlain{};
const AsciiFraming kStxEtx{2, 3, false};
const AsciiFraming kStxEtxFiltered{2, 3, true};
const AsciiFraming kStopLf{0, '\n', false};
const AsciiFraming kLineEnd{0, 0, false, true};

const FramingCase kCases[] = {
    {"SilenceEndsAPlainReply", kPlain, "rt VQ22\r\n", AsciiStep::Done, "rt VQ22\r\n"},
    {"SilenceBeforeAnyByteIsNoReply", kPlain, "", AsciiStep::NoReply, ""},
    {"StopCharacterEndsTheReply", kStopLf, "ok\n", AsciiStep::Done, "ok\n"},
    {"StartAndStopKeptWhenNotFiltered", kStxEtx, "\x02" "12\x03", AsciiStep::Done, "\x02" "12\x03"},
    {"StartAndStopDroppedWhenFiltered", kStxEtxFiltered, "\x02" "12\x03", AsciiStep::Done, "12"},
    {"WrongFirstByteIsABadStart", kStxEtx, "x12\x03", AsciiStep::BadStart, ""},
    {"StartWithoutStopEndsBySilence", kStxEtxFiltered, "\x02" "12", AsciiStep::Done, "12"},
    {"StartCharacterLaterIsPlainData", kStxEtx, "\x02" "a\x02" "b\x03", AsciiStep::Done, "\x02" "a\x02" "b\x03"},
    {"LoneFilteredStartIsAnEmptyReply", kStxEtxFiltered, "\x02", AsciiStep::Done, ""},
    {"LineEndEndsAFastReply", kLineEnd, "rp 12 1500\r\n", AsciiStep::Done, "rp 12 1500\r\n"},
    {"LineEndInsideABurstOfTwoRepliesEndsTheFirst", kLineEnd, "rp 1 5\r\nrp 2 6\r\n", AsciiStep::Done, "rp 1 5\r\n"},
    {"FastReplyWithoutLineEndEndsBySilence", kLineEnd, "rp 1 5", AsciiStep::Done, "rp 1 5"},
    {"LoneLeadingLineEndIsNoFastReply", kLineEnd, "\r\nrp 1 5\r\n", AsciiStep::Done, "\r\nrp 1 5\r\n"},
    {"CrAndLfApartDoNotEndAFastReply", kLineEnd, "a\rb\nc", AsciiStep::Done, "a\rb\nc"},
    {"LineEndIsDataWithoutFastReplies", kPlain, "rp 1 5\r\nrp 2 6\r\n", AsciiStep::Done, "rp 1 5\r\nrp 2 6\r\n"},
};

class AsciiFramingTable : public ::testing::TestWithParam<FramingCase> {};

TEST_P(AsciiFramingTable, FedByteByByte) {
  const Decoded d = Feed(GetParam(), true);
  EXPECT_EQ(d.outcome, GetParam().outcome);
  EXPECT_EQ(d.delivered, GetParam().delivered);
}

TEST_P(AsciiFramingTable, FedWhole) {
  const Decoded d = Feed(GetParam(), false);
  EXPECT_EQ(d.outcome, GetParam().outcome);
  EXPECT_EQ(d.delivered, GetParam().delivered);
}

INSTANTIATE_TEST_SUITE_P(Table, AsciiFramingTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AsciiFraming, ReplyLongerThanTheLimitOverflows) {
  AsciiReplyDecoder decoder(kPlain);
  for (std::size_t i = 0; i < AsciiReplyDecoder::kMaxReplyBytes; ++i) {
    ASSERT_EQ(decoder.Push('x', 0), AsciiStep::NeedMore);
    decoder.TakePending();
  }
  EXPECT_EQ(decoder.Push('x', 0), AsciiStep::Overflow);
}

TEST(AsciiFraming, ReplyLastingTooLongOverflows) {
  AsciiReplyDecoder decoder(kPlain);
  EXPECT_EQ(decoder.Push('x', 0), AsciiStep::NeedMore);
  EXPECT_EQ(decoder.Push('x', AsciiReplyDecoder::kMaxReplyMs - 1), AsciiStep::NeedMore);
  EXPECT_EQ(decoder.Push('x', AsciiReplyDecoder::kMaxReplyMs), AsciiStep::Overflow);
}

}  // namespace
