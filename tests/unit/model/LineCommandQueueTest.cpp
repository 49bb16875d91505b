// Commands on one component, one after the other, on the virtual line.
#include "CommTestSupport.h"

#include "model/LineCommandQueue.h"

namespace {

class Queue : public VirtualPortFixture {
protected:
  Queue() : queue_(component_) {
    SetUpLineCommand(component_, &port_, 0);
    component_.OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) {
      outcomes_.push_back(AsText(r));
      queue_.Finished();
    };
    component_.OnCommError = [this](TRkProtocolComponent&, TCommError& e, const ResultBytes&) {
      outcomes_.push_back("error " + std::to_string(e.Code));
      queue_.Finished();
    };
  }
  ~Queue() override { port_.Close(); }

  TQL200Protocol component_;
  LineCommandQueue queue_;
  std::vector<std::string> outcomes_;
};

TEST_F(Queue, CommandsSentInARowEachReachTheDeviceOnceInOrder) {
  device_->SetResponder([](const std::string& r) { return VirtualReply::Answer(r.substr(0, r.size() - 1) + "\r\n"); });
  port_.Open();
  for (const char* c : {"kw 2041 1", "kw 2041 2", "ka 5", "kw 2041 3"}) queue_.Send(c);
  ASSERT_TRUE(PumpUntil([&] { return outcomes_.size() == 4; }));
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{"kw 2041 1\r", "kw 2041 2\r", "ka 5\r", "kw 2041 3\r"}));
  EXPECT_EQ(outcomes_.back(), "kw 2041 3\r\n");
  EXPECT_FALSE(queue_.Busy());
}

TEST_F(Queue, AFailedExchangeLetsTheNextCommandGo) {
  device_->SetResponder([](const std::string& r) {
    return r == "ks\r" ? VirtualReply::Silence() : VirtualReply::Answer("km 1\r\n");
  });
  port_.Open();
  queue_.Send("ks");
  queue_.Send("km 1");
  ASSERT_TRUE(PumpUntil([&] { return outcomes_.size() == 2; }));
  EXPECT_EQ(outcomes_, (std::vector<std::string>{"error " + std::to_string(ceTimeout), "km 1\r\n"}));
}

TEST_F(Queue, NothingIsKeptWhileThePortIsClosed) {
  queue_.Send("km 1");
  EXPECT_FALSE(queue_.Busy());
  EXPECT_EQ(queue_.Waiting(), 0u);
  EXPECT_EQ(device_->RequestCount(), 0u);
}

}  // namespace
