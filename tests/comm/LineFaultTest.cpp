// Replies that come late, never end, or get queued twice: the port must
// keep every later reply with its own command.
#include "CommTestSupport.h"

namespace {

class LineFault : public VirtualPortFixture {
protected:
  void SetUp() override { port_.Open(); }
  void TearDown() override { port_.Close(); }
};

// The device answers "r1" 120 ms late once; every other command at once.
TEST_F(LineFault, LateReplyCostsOneExchangeAndShiftsNothing) {
  bool lateDone = false;
  device_->SetResponder([&](const std::string& request) {
    const std::string code = request.substr(0, 2);
    if (code == "r1" && !lateDone) {
      lateDone = true;
      return VirtualReply::Answer("r1 -56\r\n", 120);
    }
    return VirtualReply::Answer(code + " " + (code == "r0" ? "1234" : "-56") + "\r\n");
  });
  auto r0 = MakeComponent("r0");
  auto r1 = MakeComponent("r1");
  r0->ASCIIProtocol = "r0";
  r1->ASCIIProtocol = "r1";
  r0->SetCyclic(true);
  r1->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return Count("r0", "result") >= 6 && Count("r1", "result") >= 5; }));
  r0->SetCyclic(false);
  r1->SetCyclic(false);
  for (const auto& e : Events("r0")) {
    if (e.kind == "result") {
      EXPECT_EQ(e.bytes, "r0 1234\r\n");
    }
  }
  for (const auto& e : Events("r1")) {
    if (e.kind == "result") {
      EXPECT_EQ(e.bytes, "r1 -56\r\n");
    }
  }
  // Only the late exchange itself failed.
  EXPECT_EQ(Count("r0", "error"), 0u);
  ASSERT_EQ(Count("r1", "error"), 2u);  // the time-out, then the all-clear
  EXPECT_EQ(Events("r1")[1].error.Code, ceTimeout);
}

TEST_F(LineFault, ReplyThatNeverEndsFailsAsAnOverrunWithoutRetry) {
  device_->SetResponder([](const std::string&) {
    VirtualReply flood;
    for (int i = 0; i < 5000; ++i) flood.bursts.push_back({i / 20, "x", 0});
    return flood;
  });
  auto c = MakeComponent("c");
  Send(*c, "r0");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 1; }));
  const EventRecord e = Events("c").back();
  EXPECT_EQ(e.error.Code, ceLineError);
  EXPECT_EQ(e.error.CommErrors, CE_RXOVER);
  EXPECT_EQ(device_->RequestCount(), 1u);
}

TEST_F(LineFault, SlowReplyThatNeverFallsSilentEndsAfterItsTimeLimit) {
  device_->SetResponder([](const std::string&) {
    VirtualReply trickle;
    for (int i = 0; i < 400; ++i) trickle.bursts.push_back({i * 40, "x", 0});
    return trickle;
  });
  auto c = MakeComponent("c");
  const std::int64_t start = device_->NowMs();
  Send(*c, "r0");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 1; }));
  EXPECT_EQ(Events("c").back().error.CommErrors, CE_RXOVER);
  EXPECT_LE(device_->NowMs() - start, 5100);
}

TEST_F(LineFault, CyclicComponentSwitchedOffAndOnQueuesOneEntry) {
  device_->SetResponder([](const std::string&) { return VirtualReply::Hold(); });
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  a->ASCIIProtocol = "r0";
  b->ASCIIProtocol = "r1";
  a->SetCyclic(true);  // runs, held by the device
  b->SetCyclic(true);  // waits
  for (int i = 0; i < 5; ++i) {
    a->SetCyclic(false);
    a->SetCyclic(true);
    b->SetCyclic(false);
    b->SetCyclic(true);
  }
  EXPECT_EQ(port_.QueueLength(), 2u);
  device_->Release();
}

TEST_F(LineFault, ClosingForgetsTheLastReportedError) {
  auto c = MakeComponent("c");
  c->ASCIIProtocol = "r0";
  c->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 1; }));
  port_.Close();
  port_.Open();
  c->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 2; }));
  EXPECT_EQ(Events("c").back().error.Code, ceTimeout);
  c->SetCyclic(false);
}

TEST_F(LineFault, ComponentSentTwiceGetsTwoSeparateReplies) {
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer("rf 12\r\n"); });
  auto c = MakeComponent("c");
  Send(*c, "rf");
  Send(*c, "rf");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "result") == 2; }));
  for (const auto& e : Events("c")) EXPECT_EQ(e.bytes, "rf 12\r\n");
}

}  // namespace
