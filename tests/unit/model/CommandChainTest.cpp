// Command chains on the virtual line: every reply checked, one resend,
// Stop, Cancel and Again between steps.
#include "CommTestSupport.h"

#include "model/CommandChain.h"
#include "model/DeviceReply.h"

namespace {

class Chain : public VirtualPortFixture {
protected:
  Chain() : chain_({&component_}) {
    SetUpLineCommand(component_, &port_, 0);
    chain_.NextCommand = [this](std::size_t step) -> std::optional<CommandChain::Command> {
      if (step >= steps_) return std::nullopt;
      return CommandChain::Command{&component_, "rp " + std::to_string(step)};
    };
    chain_.CheckReply = [](std::size_t step, const ResultBytes& reply) {
      if (ReplyText(reply).rfind("er 7", 0) == 0) return CommandChain::Verdict::Refused;
      return ReplyText(reply) == "rp " + std::to_string(step) + " v" ? CommandChain::Verdict::Accept
                                                                     : CommandChain::Verdict::Invalid;
    };
    chain_.Accepted = [this](std::size_t step, const ResultBytes&) { accepted_.push_back(step); };
    chain_.Ended = [this](const CommandChain::End& end) { ends_.push_back(end); };
    port_.Open();
  }
  ~Chain() override { port_.Close(); }

  bool RunToEnd() { return PumpUntil([&] { return !ends_.empty(); }); }

  TQL200Protocol component_;
  CommandChain chain_;
  std::size_t steps_ = 5;
  std::vector<std::size_t> accepted_;
  std::vector<CommandChain::End> ends_;
};

VirtualReply Good(const std::string& request) {
  return VirtualReply::Answer(request.substr(0, request.size() - 1) + " v\r\n");
}

TEST_F(Chain, RunsEveryStepInOrder) {
  device_->SetResponder(Good);
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Completed);
  EXPECT_EQ(accepted_, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(device_->RequestCount(), 5u);
}

struct InvalidCase {
  const char* name;
  int badReplies;  // replies to "rp 2" that are garbled before a good one
  CommandChain::Outcome outcome;
  std::size_t requests;
};

class ChainInvalid : public Chain, public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(ChainInvalid, InvalidReplyIsResentOnce) {
  int bad = GetParam().badReplies;
  device_->SetResponder([&](const std::string& r) {
    if (r == "rp 2\r" && bad-- > 0) return VirtualReply::Answer("rp 1 v\r\n");  // shifted by one exchange
    return Good(r);
  });
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, GetParam().outcome);
  EXPECT_EQ(device_->RequestCount(), GetParam().requests);
  if (GetParam().outcome == CommandChain::Outcome::Invalid) {
    EXPECT_EQ(ends_[0].step, 2u);
    EXPECT_EQ(AsText(ends_[0].reply), "rp 1 v\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ChainInvalid,
                         ::testing::Values(InvalidCase{"OneBadReplyIsRetried", 1, CommandChain::Outcome::Completed, 6},
                                           InvalidCase{"TwoBadRepliesStop", 2, CommandChain::Outcome::Invalid, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Chain, RetryFlagIsClearedByTheNextGoodReply) {
  std::map<std::string, int> bad = {{"rp 1\r", 1}, {"rp 3\r", 1}};
  device_->SetResponder([&](const std::string& r) {
    if (bad[r]-- > 0) return VirtualReply::Answer("xx\r\n");
    return Good(r);
  });
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Completed);
}

TEST_F(Chain, RefusalStopsAtOnceAndAgainStartsOver) {
  device_->SetResponder([](const std::string& r) {
    return r == "rp 3\r" ? VirtualReply::Answer("er 7\r\n") : Good(r);
  });
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Refused);
  EXPECT_EQ(ends_[0].step, 3u);
  device_->SetResponder(Good);
  accepted_.clear();
  chain_.Start();
  ASSERT_TRUE(PumpUntil([&] { return ends_.size() == 2; }));
  EXPECT_EQ(ends_[1].outcome, CommandChain::Outcome::Completed);
  EXPECT_EQ(accepted_.front(), 0u);
}

TEST_F(Chain, SilenceEndsTheChainWithTheFailure) {
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Failed);
  EXPECT_EQ(ends_[0].error.Code, ceTimeout);
  EXPECT_EQ(device_->RequestCount(), 1u);
}

TEST_F(Chain, FailureMayBeSkipped) {
  chain_.CheckFailure = [](std::size_t, const TCommError& e) {
    return e.Code == ceTimeout ? CommandChain::Verdict::Skip : CommandChain::Verdict::Refused;
  };
  device_->SetResponder([](const std::string& r) { return r == "rp 1\r" ? VirtualReply::Silence() : Good(r); });
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Completed);
  EXPECT_EQ(accepted_, (std::vector<std::size_t>{0, 2, 3, 4}));
}

TEST_F(Chain, CancelTakesEffectWhenTheReplyArrives) {
  device_->SetResponder([](const std::string&) { return VirtualReply::Hold(); });
  chain_.Start();
  ASSERT_TRUE(device_->WaitForRequests(1, 2000));
  chain_.RequestCancel();
  EXPECT_TRUE(chain_.Running());
  device_->Release();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Cancelled);
  EXPECT_EQ(device_->RequestCount(), 1u);
}

TEST_F(Chain, StopPausesBetweenStepsAndContinueGoesOn) {
  device_->SetResponder(Good);
  chain_.Accepted = [this](std::size_t step, const ResultBytes&) {
    accepted_.push_back(step);
    if (step == 1) chain_.RequestStop();
  };
  chain_.Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Stopped);
  EXPECT_EQ(ends_[0].step, 2u);
  chain_.Continue();
  ASSERT_TRUE(PumpUntil([&] { return ends_.size() == 2; }));
  EXPECT_EQ(accepted_, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

TEST_F(Chain, ClosedPortEndsTheChainInsteadOfWaiting) {
  port_.Close();
  chain_.Start();
  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0].outcome, CommandChain::Outcome::Failed);
  EXPECT_EQ(ends_[0].error.Code, cePortClosed);
}

TEST(DeviceReplyParse, DecimalIsStrict) {
  struct Row {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Row rows[] = {{"12", 12},          {"-5", -5},       {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
                      {"2147483648", {}},  {"", {}},         {"-", {}},                  {" 1", {}},
                      {"1 ", {}},          {"+1", {}},       {"0x10", {}},               {"1,5", {}}};
  for (const Row& row : rows) EXPECT_EQ(ParseDecimal(row.text), row.value) << row.text;
}

TEST(DeviceReplyParse, EchoIsTheFirstTwoCharacters) {
  auto bytes = [](const std::string& s) { return ResultBytes(s.begin(), s.end()); };
  EXPECT_TRUE(EchoesCommand(bytes("rp 12 5\r\n"), "rp 12"));
  EXPECT_FALSE(EchoesCommand(bytes("rs 12 5\r\n"), "rp 12"));
  EXPECT_FALSE(EchoesCommand(bytes("r"), "r0"));
}

}  // namespace
