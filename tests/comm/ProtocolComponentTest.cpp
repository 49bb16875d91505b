#include "CommTestSupport.h"

#include <cerrno>
#include <thread>

namespace {

class ProtocolComponent : public VirtualPortFixture {
protected:
  void EchoEverything() {
    device_->SetResponder([](const std::string& request) {
      return VirtualReply::Answer(request.substr(0, request.size() - 1) + " ok\r\n");
    });
  }
};

TEST_F(ProtocolComponent, CyclicFailureIsReportedOnceAndRecoveryWithAnAllZeroRecord) {
  auto poll = MakeComponent("poll");
  port_.Open();
  int exchanges = 0;
  // Silent for the first four exchanges, then answers.
  device_->SetResponder([&](const std::string&) {
    return ++exchanges <= 4 ? VirtualReply::Silence() : VirtualReply::Answer("r0 5\r\n");
  });
  poll->ASCIIProtocol = "r0";
  poll->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return Count("poll", "result") >= 3; }));
  poll->SetCyclic(false);

  const auto events = Events("poll");
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(events[0].kind, "activate");
  EXPECT_EQ(events[1].kind, "error");
  EXPECT_EQ(events[1].error.Code, ceTimeout);
  EXPECT_EQ(events[2].kind, "result");
  EXPECT_EQ(events[2].bytes, "r0 5\r\n");
  EXPECT_EQ(events[3].kind, "error");
  EXPECT_TRUE(events[3].error.IsSuccess());
  EXPECT_EQ(events[3].bytes, "");
  EXPECT_EQ(events[4].kind, "result");
  EXPECT_EQ(Count("poll", "error"), 2u);
}

TEST_F(ProtocolComponent, NonCyclicFailureIsReportedEveryTime) {
  auto c = MakeComponent("c");
  port_.Open();
  Send(*c, "rt");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 1; }));
  Send(*c, "rt");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 2; }));
  EXPECT_EQ(Events("c")[1].error.Code, ceTimeout);
}

TEST_F(ProtocolComponent, NonCyclicSuccessFiresOnlyTheResult) {
  auto c = MakeComponent("c");
  port_.Open();
  Send(*c, "rt");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "error") == 1; }));
  EchoEverything();
  Send(*c, "rt");
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "result") == 1; }));
  PumpFor(20);
  EXPECT_EQ(Count("c", "error"), 1u);
}

TEST_F(ProtocolComponent, RequestsRunStrictlyInSendOrderAcrossComponents) {
  EchoEverything();
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  auto c = MakeComponent("c");
  port_.Open();
  std::vector<std::size_t> requestsSeenAtEvent;
  a->OnCommResult = [&](TRkProtocolComponent&, const ResultBytes& r) {
    events_.push_back({"a", "result", AsText(r), {}});
    requestsSeenAtEvent.push_back(device_->RequestCount());
  };
  Send(*a, "r0");
  Send(*b, "r1");
  Send(*c, "r2");
  ASSERT_TRUE(PumpUntil([&] { return events_.size() == 3; }));
  EXPECT_EQ(events_[0].bytes, "r0 ok\r\n");
  EXPECT_EQ(events_[1].bytes, "r1 ok\r\n");
  EXPECT_EQ(events_[2].bytes, "r2 ok\r\n");
  // b's request was not on the line before a's event had run.
  EXPECT_EQ(requestsSeenAtEvent, std::vector<std::size_t>{1});
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{"r0\r", "r1\r", "r2\r"}));
}

TEST_F(ProtocolComponent, SendFromInsideAnEventRunsRightAfterTheCurrentOne) {
  EchoEverything();
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  auto chained = MakeComponent("chained");
  port_.Open();
  a->OnCommResult = [&](TRkProtocolComponent&, const ResultBytes&) { Send(*chained, "rx"); };
  Send(*a, "r0");
  Send(*b, "r1");
  ASSERT_TRUE(PumpUntil([&] { return Count("chained", "result") == 1 && Count("b", "result") == 1; }));
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{"r0\r", "r1\r", "rx\r"}));
}

TEST_F(ProtocolComponent, ResendingAQueuedComponentRunsItsNewestCommand) {
  EchoEverything();
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  port_.Open();
  Send(*a, "r0");
  Send(*b, "r1");
  Send(*b, "r2");  // overwrites b's waiting record and queues it again
  ASSERT_TRUE(PumpUntil([&] { return Count("b", "result") == 2; }));
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{"r0\r", "r2\r", "r2\r"}));
}

TEST_F(ProtocolComponent, SendOnAClosedPortOrUnboundComponentDoesNothing) {
  auto c = MakeComponent("c");
  Send(*c, "rt");
  TQL200Protocol unbound;
  unbound.ASCIIProtocol = "rt";
  unbound.Send();
  PumpFor(30);
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(device_->RequestCount(), 0u);
}

TEST_F(ProtocolComponent, CyclicOnAClosedPortStaysOffAndDeactivates) {
  auto c = MakeComponent("c");
  c->SetCyclic(true);
  EXPECT_FALSE(c->Cyclic());
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0].kind, "deactivate");
}

TEST_F(ProtocolComponent, SetFrameByteIgnoresIndexesBeyondTheFrame) {
  TQL200Protocol c;
  const FrameBuffer before = c.TransmitFrame();
  c.SetFrameByte(512, 7);
  c.SetFrameByte(100000, 7);
  EXPECT_EQ(c.TransmitFrame(), before);
  c.SetFrameByte(511, 7);
  EXPECT_EQ(c.TransmitFrame()[511], 7);
}

TEST_F(ProtocolComponent, ClosingWhileAnExchangeWaitsDeliversNothingAndDoesNotHang) {
  auto c = MakeComponent("c", 1500);
  port_.Open();
  device_->SetResponder([](const std::string&) { return VirtualReply::Hold(); });
  Send(*c, "rt");
  ASSERT_TRUE(device_->WaitForRequests(1, 5000));
  port_.Close();
  EXPECT_FALSE(port_.Active());
  PumpFor(50);
  EXPECT_EQ(Count("c", "result") + Count("c", "error"), 0u);
  EXPECT_EQ(Count("c", "deactivate"), 1u);
}

TEST_F(ProtocolComponent, ClosingWhileCyclicPollingRunsStopsEveryCycle) {
  EchoEverything();
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  port_.Open();
  a->ASCIIProtocol = "r0";
  b->ASCIIProtocol = "r1";
  a->SetCyclic(true);
  b->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return Count("b", "result") >= 5; }));
  port_.Close();
  const std::size_t requests = device_->RequestCount();
  PumpFor(50);
  EXPECT_EQ(device_->RequestCount(), requests);
  EXPECT_FALSE(a->Cyclic());
  EXPECT_FALSE(b->Cyclic());
}

TEST_F(ProtocolComponent, ComponentDestroyedWhileQueuedIsSkippedAndTheQueueGoesOn) {
  auto a = MakeComponent("a");
  auto doomed = MakeComponent("doomed");
  auto c = MakeComponent("c");
  port_.Open();
  device_->Expect("r0\r", VirtualReply::Hold());
  EchoEverything();
  Send(*a, "r0");
  Send(*doomed, "r1");
  Send(*c, "r2");
  ASSERT_TRUE(device_->WaitForRequests(1, 5000));
  doomed.reset();
  device_->Release();
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "result") == 1; }));
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{"r0\r", "r2\r"}));
  EXPECT_EQ(Count("doomed", "result") + Count("doomed", "error"), 0u);
}

TEST_F(ProtocolComponent, ComponentDestroyedWhileItsExchangeRunsGetsNothingAndTheQueueGoesOn) {
  auto doomed = MakeComponent("doomed");
  auto c = MakeComponent("c");
  port_.Open();
  device_->Expect("r0\r", VirtualReply::Hold());
  EchoEverything();
  Send(*doomed, "r0");
  Send(*c, "r2");
  ASSERT_TRUE(device_->WaitForRequests(1, 5000));
  doomed.reset();
  device_->Release();
  ASSERT_TRUE(PumpUntil([&] { return Count("c", "result") == 1; }));
  EXPECT_EQ(Count("doomed", "result") + Count("doomed", "error"), 0u);
}

TEST_F(ProtocolComponent, ClosingFromInsideAnEventNeitherHangsNorDelivers) {
  EchoEverything();
  auto a = MakeComponent("a");
  auto b = MakeComponent("b");
  port_.Open();
  a->OnCommResult = [&](TRkProtocolComponent&, const ResultBytes&) {
    events_.push_back({"a", "result", {}, {}});
    port_.Close();
  };
  Send(*a, "r0");
  Send(*b, "r1");
  ASSERT_TRUE(PumpUntil([&] { return Count("a", "result") == 1; }));
  EXPECT_FALSE(port_.Active());
  PumpFor(50);
  EXPECT_EQ(Count("b", "result"), 0u);
  // The port can be opened again and works.
  port_.Open();
  Send(*b, "r1");
  ASSERT_TRUE(PumpUntil([&] { return Count("b", "result") == 1; }));
}

TEST_F(ProtocolComponent, PortDestroyedFromInsideAnEventDoesNotHang) {
  EchoEverything();
  auto other = std::make_unique<TRkComm>(invoker_, backend_);
  auto c = std::make_unique<TQL200Protocol>();
  SetUpLineCommand(*c, other.get());
  bool destroyed = false;
  c->OnCommResult = [&](TRkProtocolComponent&, const ResultBytes&) {
    other.reset();
    destroyed = true;
  };
  other->Open();
  c->ASCIIProtocol = "rt";
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
  EXPECT_EQ(c->RkComm(), nullptr);
  // The port can be opened again by another component.
  port_.Open();
  EXPECT_TRUE(port_.Active());
}

TEST_F(ProtocolComponent, VanishedDeviceEndsTheExchangeAndThePortCanBeReopened) {
  EchoEverything();
  auto poll = MakeComponent("poll");
  port_.Open();
  poll->ASCIIProtocol = "r0";
  poll->SetCyclic(true);
  ASSERT_TRUE(PumpUntil([&] { return Count("poll", "result") >= 2; }));
  device_->Disconnect();
  ASSERT_TRUE(PumpUntil([&] { return Count("poll", "error") >= 1; }));
  const auto error = Events("poll").back().error;
  EXPECT_EQ(error.Code, ceSystemError);
  EXPECT_EQ(error.SystemError, static_cast<std::uint32_t>(EIO));
  // Failing exchanges are paced like a silent device, not spun.
  PumpFor(250);
  EXPECT_EQ(Count("poll", "error"), 1u);

  port_.Close();
  device_->Reconnect();
  port_.Open();
  Send(*poll, "r1");
  ASSERT_TRUE(PumpUntil([&] { return Count("poll", "result") >= 3; }));
}

TEST_F(ProtocolComponent, PortDestroyedFirstUnbindsItsComponents) {
  auto c = std::make_unique<TQL200Protocol>();
  {
    TRkComm other(invoker_, backend_);
    c->SetRkComm(&other);
    EXPECT_EQ(other.BoundComponents().size(), 1u);
  }
  EXPECT_EQ(c->RkComm(), nullptr);
}

TEST_F(ProtocolComponent, RebindingMovesTheComponentBetweenPorts) {
  auto c = MakeComponent("c");
  TRkComm other(invoker_, backend_);
  c->SetRkComm(&other);
  EXPECT_TRUE(port_.BoundComponents().empty());
  EXPECT_EQ(other.BoundComponents().size(), 1u);
  c->SetRkComm(nullptr);
  EXPECT_TRUE(other.BoundComponents().empty());
}

TEST(CommError, ComparesFieldByField) {
  EXPECT_EQ((TCommError{ceTimeout, 0, 0}), (TCommError{ceTimeout, 0, 0}));
  EXPECT_NE((TCommError{ceTimeout, 0, 0}), (TCommError{ceLineError, 0, CE_FRAME}));
  EXPECT_NE((TCommError{ceSystemError, 5, 0}), (TCommError{ceSystemError, 6, 0}));
  EXPECT_TRUE(TCommError{}.IsSuccess());
}

}  // namespace
