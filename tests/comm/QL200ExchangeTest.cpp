#include "CommTestSupport.h"

#include <cerrno>

namespace {

class QL200Exchange : public VirtualPortFixture {
protected:
  void SetUp() override {
    port_.Open();
    component_ = MakeComponent("c");
  }
  void TearDown() override {
    component_.reset();
    port_.Close();
  }
  // Sends and serves hand-overs until the component reported something.
  void Exchange(const std::string& command) {
    const std::size_t before = events_.size();
    Send(*component_, command);
    ASSERT_TRUE(PumpUntil([&] { return events_.size() > before; })) << "no outcome for " << command;
  }
  const EventRecord& Last() const { return events_.back(); }

  std::unique_ptr<TQL200Protocol> component_;
};

TEST_F(QL200Exchange, CommandIsTrimmedAndSentWithCarriageReturn) {
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("kr 12\r\n"); });
  Exchange("  kr 2041 ");
  EXPECT_EQ(device_->Requests(), std::vector<std::string>{"kr 2041\r"});
  EXPECT_EQ(component_->ASCIIProtocol, "kr 2041");
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(Last().bytes, "kr 12\r\n");
}

TEST_F(QL200Exchange, EmptyCommandSendsASingleCarriageReturn) {
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("?\r\n"); });
  Exchange("");
  EXPECT_EQ(device_->Requests(), std::vector<std::string>{"\r"});
}

TEST_F(QL200Exchange, HeadAndFootFrameTheText) {
  component_->ProtocolHead = TSequenceChar::scSTX;
  component_->ProtocolFoot = TSequenceChar::scETX;
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("ok"); });
  Exchange("ab");
  EXPECT_EQ(device_->Requests(), std::vector<std::string>{"\x02" "ab\x03"});
}

TEST_F(QL200Exchange, OverlongCommandIsCutToTheFrame) {
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("ok"); });
  Exchange(std::string(600, 'x'));
  ASSERT_EQ(device_->Requests().size(), 1u);
  EXPECT_EQ(device_->Requests()[0], std::string(253, 'x') + "\r");
}

struct FirstByteCase {
  const char* name;
  int timeoutTime;
  int answerAfterMs;
  bool answered;
};

class QL200FirstByte : public QL200Exchange, public ::testing::WithParamInterface<FirstByteCase> {};

TEST_P(QL200FirstByte, WaitsTheTimeoutForTheFirstByteAndTriesSilenceOnce) {
  component_->SetTimeoutTime(GetParam().timeoutTime);
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("rt VQ22\r\n", GetParam().answerAfterMs); });
  Exchange("rt");
  if (GetParam().answered) {
    EXPECT_EQ(Last().kind, "result");
    EXPECT_EQ(Last().bytes, "rt VQ22\r\n");
  } else {
    EXPECT_EQ(Last().kind, "error");
    EXPECT_EQ(Last().error.Code, ceTimeout);
    EXPECT_EQ(Last().error.SystemError, 0u);
    EXPECT_EQ(Last().bytes, "");
  }
  EXPECT_EQ(device_->RequestCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Table, QL200FirstByte,
                         ::testing::Values(FirstByteCase{"Zero_80ms", 0, 80, true},
                                           FirstByteCase{"Zero_99ms", 0, 99, true},
                                           FirstByteCase{"Zero_150ms", 0, 150, false},
                                           FirstByteCase{"Negative_150ms", -5, 150, false},
                                           FirstByteCase{"Terminal1500_1400ms", 1500, 1400, true},
                                           FirstByteCase{"Terminal1500_1600ms", 1500, 1600, false},
                                           FirstByteCase{"Graph300_250ms", 300, 250, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QL200Exchange, BurstsThirtyMsApartJoinIntoOneReply) {
  device_->SetResponder([](const std::string&) {
    return VirtualReply{{{10, "rp 12 ", 0}, {40, "1500\r\n", 0}}, false};
  });
  Exchange("rp 12");
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(Last().bytes, "rp 12 1500\r\n");
}

TEST_F(QL200Exchange, BurstsSeventyMsApartSplitAndTheRestIsPurged) {
  device_->Expect("rp 12\r", VirtualReply{{{10, "rp 12 ", 0}, {80, "1500\r\n", 0}}, false});
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("rp 13 7\r\n"); });
  Exchange("rp 12");
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(Last().bytes, "rp 12 ");
  device_->AdvanceMs(100);  // the line is idle until the next command
  Exchange("rp 13");
  EXPECT_EQ(Last().bytes, "rp 13 7\r\n");
}

// With fast replies a single-line reply ends at its CR LF; anything else
// still waits for the silence (the reply comes 5 ms after the command).
struct FastCase { const char* name; bool fast, singleLine; const char* reply; int endsAfterMs; };

class QL200FastReplies : public QL200Exchange, public ::testing::WithParamInterface<FastCase> {};

TEST_P(QL200FastReplies, EndAtTheLineEndOnlyWhenPortAndComponentAllowIt) {
  port_.SetFastReplies(GetParam().fast);
  component_->SingleLineReplies = GetParam().singleLine;
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer(GetParam().reply); });
  const std::int64_t sent = device_->NowMs();
  Exchange("rp 1");
  EXPECT_EQ(Last().bytes, GetParam().reply);
  EXPECT_EQ(device_->NowMs() - sent, GetParam().endsAfterMs);
}

INSTANTIATE_TEST_SUITE_P(Table, QL200FastReplies,
                         ::testing::Values(FastCase{"FastLineReply", true, true, "rp 1 5\r\n", 5},
                                           FastCase{"FastWithoutLineEnd", true, true, "rp 1 5", 55},
                                           FastCase{"FastPortOtherComponent", true, false, "rp 1 5\r\n", 55},
                                           FastCase{"SpecifiedPort", false, true, "rp 1 5\r\n", 55}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QL200Exchange, FastReplyNotEchoingItsCommandLetsTheLineFallQuietFirst) {
  port_.SetFastReplies(true);
  component_->SingleLineReplies = true;
  device_->Expect("r0\r", VirtualReply{{{5, "r0 1\r\n", 0}, {6, "r0 1\r\n", 0}}, false});  // sent twice
  auto count = std::make_shared<int>(1);  // the device counts the commands it answers
  device_->SetResponder([count](const std::string& r) {
    return VirtualReply::Answer(r.substr(0, 2) + " " + std::to_string(++*count) + "\r\n");
  });
  Exchange("r0");
  Exchange("r1");
  EXPECT_EQ(Last().bytes, "r0 1\r\n");  // the second copy, still on its way at the purge
  Exchange("r1");
  EXPECT_EQ(Last().bytes, "r1 3\r\n");  // not the late answer to the first "r1"
}

// A line-ended reply sent twice in bursts: part of the copy is there when
// the next command is due, the rest still on its way. The next exchange
// (one that ends by silence and checks no echo) gets its own reply only.
TEST_F(QL200Exchange, TheRestOfADoubledFastReplyNeverStartsTheNextReply) {
  port_.SetFastReplies(true);
  component_->SingleLineReplies = true;
  device_->Expect("rf\r", VirtualReply{{{5, "rf -1\r\nr", 0}, {10, "f -1\r\n", 0}}, false});
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("rx SN 4\r\n"); });
  Exchange("rf");
  EXPECT_EQ(Last().bytes, "rf -1\r\n");
  component_->SingleLineReplies = false;
  Exchange("rx");
  EXPECT_EQ(Last().bytes, "rx SN 4\r\n");
}

TEST_F(QL200Exchange, SilenceOfFiftyMsEndsTheReplyAtAnyLength) {
  std::string longReply(400, 'z');
  device_->SetResponder([&](const std::string&) { return VirtualReply::Answer(longReply); });
  Exchange("rh");
  EXPECT_EQ(Last().bytes, longReply);
}

TEST_F(QL200Exchange, LineErrorsAreTriedThreeTimesThenReported) {
  device_->SetResponder([](const std::string&) { return VirtualReply{{{5, "r0 5\r\n", CE_FRAME | CE_RXPARITY}}, false}; });
  Exchange("r0");
  EXPECT_EQ(device_->RequestCount(), 3u);
  EXPECT_EQ(Last().kind, "error");
  EXPECT_EQ(Last().error.Code, ceLineError);
  EXPECT_EQ(Last().error.CommErrors, CE_FRAME | CE_RXPARITY);
  EXPECT_EQ(Last().bytes, "");
}

TEST_F(QL200Exchange, ARetryDeliversOnlyTheGoodAttemptsBytes) {
  // The error flag arrives with the second byte: the first byte has already
  // been handed over when the attempt fails.
  device_->Expect("r0\r", VirtualReply{{{5, "x", 0}, {10, "yz", CE_OVERRUN}}, false});
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("r0 42\r\n"); });
  Exchange("r0");
  EXPECT_EQ(device_->RequestCount(), 2u);
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(Last().bytes, "r0 42\r\n");
}

TEST_F(QL200Exchange, WrongStartCharacterIsTriedThreeTimes) {
  component_->ReceiveStart = TSequenceChar::scSTX;
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("X12\x03"); });
  Exchange("r0");
  EXPECT_EQ(device_->RequestCount(), 3u);
  EXPECT_EQ(Last().error.Code, ceStartChar);
}

struct FilterCase {
  const char* name;
  bool filtered;
  const char* delivered;
};

class QL200Filter : public QL200Exchange, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(QL200Filter, StartAndStopCharacters) {
  component_->ReceiveStart = TSequenceChar::scSTX;
  component_->ReceiveStop = TSequenceChar::scETX;
  component_->Filtered = GetParam().filtered;
  // What follows the stop character is not part of the reply.
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("\x02" "12\x03" "junk"); });
  Exchange("r0");
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(Last().bytes, GetParam().delivered);
}

INSTANTIATE_TEST_SUITE_P(Table, QL200Filter,
                         ::testing::Values(FilterCase{"Filtered", true, "12"},
                                           FilterCase{"Unfiltered", false, "\x02" "12\x03"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QL200Exchange, FailedWriteIsRetriedAndThenSucceeds) {
  device_->FailNext(VirtualCall::Write, EIO, 2);
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("sc 0\r\n"); });
  Exchange("sc 0");
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(Last().bytes, "sc 0\r\n");
}

TEST_F(QL200Exchange, PortCallFailingThreeTimesIsASystemErrorWithItsNumber) {
  device_->FailNext(VirtualCall::Purge, EACCES, 3);
  Exchange("sc 0");
  EXPECT_EQ(Last().kind, "error");
  EXPECT_EQ(Last().error.Code, ceSystemError);
  EXPECT_EQ(Last().error.SystemError, static_cast<std::uint32_t>(EACCES));
  EXPECT_EQ(device_->RequestCount(), 0u);
}

TEST_F(QL200Exchange, FailedReadIsASystemErrorRetriedLikeLineErrors) {
  device_->FailNext(VirtualCall::Read, EIO, 1);
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("rt VQ22\r\n"); });
  Exchange("rt");
  EXPECT_EQ(Last().kind, "result");
  EXPECT_EQ(device_->RequestCount(), 2u);
}

}  // namespace
