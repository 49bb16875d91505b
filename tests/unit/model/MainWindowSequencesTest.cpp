// The main window's sequences without a window: identification, live
// polling and the error-number poll, on the virtual line.
#include "CommTestSupport.h"

#include <algorithm>
#include <map>

#include "model/DeviceIdentification.h"
#include "model/ErrorPoll.h"
#include "model/LivePolling.h"

namespace {

// Answers every code with a fixed value; "sc n" is echoed.
VirtualReply Answer(const std::map<std::string, std::string>& values, const std::string& request) {
  const std::string line = request.substr(0, request.find('\r'));
  const std::string code = line.substr(0, 2);
  if (code == "sc") return VirtualReply::Answer(line + "\r\n");
  const auto it = values.find(code);
  return it == values.end() ? VirtualReply::Silence() : VirtualReply::Answer(code + " " + it->second + "\r\n");
}

class MainWindowSequences : public VirtualPortFixture {
protected:
  void SetUp() override {
    device_->SetResponder([this](const std::string& r) { return Answer(values_, r); });
    port_.Open();
  }
  void TearDown() override { port_.Close(); }

  // Runs live values until 20 velocities were shown; every panel text is
  // its own quantity's value or "?". Gives the number of "?".
  int LiveValuesLost() {
    LivePolling polling(port_, globals_);
    std::map<LiveQuantity, std::vector<std::string>> shown;
    polling.OnValue = [&](LiveQuantity q, const std::string& text) { shown[q].push_back(text); };
    polling.SwitchLiveOn();
    EXPECT_TRUE(PumpUntil([&] { return shown[LiveQuantity::Snelheid].size() >= 20; }));
    polling.SwitchLiveOff();
    int lost = 0;
    for (const auto& [quantity, texts] : shown)
      for (const std::string& text : texts) {
        EXPECT_TRUE(text == "?" || text == (quantity == LiveQuantity::ActPos ? "1234" : "-56")) << text;
        lost += text == "?";
      }
    return lost;
  }

  std::map<std::string, std::string> values_ = {{"rt", "VQ22 V2.14"}, {"rh", "HW 3.1"}, {"rx", "SN 7"},
                                                {"r0", "1234"},       {"r1", "-56"},    {"rf", "-1"},
                                                {"ri", "2"},          {"ru", "5"}};
  TGlobalVar globals_;
};

TEST_F(MainWindowSequences, IdentificationFillsThreePanelsInOrder) {
  DeviceIdentification ident(port_, globals_);
  std::map<int, std::string> panels;
  bool foreign = false;
  ident.OnText = [&](int panel, const std::string& text) { panels[panel] = text; };
  ident.OnForeignDevice = [&] { foreign = true; };
  ident.Start(3);
  ASSERT_TRUE(PumpUntil([&] { return panels.size() == 3; }));
  EXPECT_EQ(panels[2], "VQ22 V2.14");
  EXPECT_EQ(panels[3], "HW 3.1");
  EXPECT_EQ(panels[4], "SN 7");
  EXPECT_EQ(globals_.DeviceType, "VQ22");
  EXPECT_FALSE(foreign);
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{"sc 3\r", "rt\r", "rh\r", "rx\r"}));
}

TEST_F(MainWindowSequences, ForeignTypeWarnsAndTheChainGoesOn) {
  values_["rt"] = "ZX9";
  DeviceIdentification ident(port_, globals_);
  int texts = 0;
  bool foreign = false;
  ident.OnText = [&](int, const std::string&) { ++texts; };
  ident.OnForeignDevice = [&] { foreign = true; };
  ident.Start(0);
  ASSERT_TRUE(PumpUntil([&] { return texts == 3; }));
  EXPECT_TRUE(foreign);
  EXPECT_EQ(globals_.DeviceType, "ZX9");
}

// A reply to something else, to the unit select or to a query, stops the
// chain there: nothing after it is sent or shown.
class IdentificationEcho : public MainWindowSequences, public ::testing::WithParamInterface<const char*> {};

TEST_P(IdentificationEcho, ReplyNotEchoingItsCommandStopsTheChain) {
  const std::string command = GetParam();
  device_->SetResponder([this, command](const std::string& r) {
    if (r.rfind(command, 0) == 0) return VirtualReply::Answer("rf -1\r\n");
    return Answer(values_, r);
  });
  DeviceIdentification ident(port_, globals_);
  std::map<int, std::string> panels;
  bool selected = false;
  ident.OnText = [&](int panel, const std::string& text) { panels[panel] = text; };
  ident.OnUnitSelected = [&] { selected = true; };
  ident.Start(0);
  const std::vector<std::string> order = {"sc 0\r", "rt\r", "rh\r", "rx\r"};
  const auto stop =
      std::find_if(order.begin(), order.end(), [&](const std::string& c) { return c.rfind(command, 0) == 0; });
  const std::size_t sent = static_cast<std::size_t>(stop - order.begin()) + 1;
  ASSERT_TRUE(PumpUntil([&] { return device_->RequestCount() == sent; }));
  PumpFor(50);
  EXPECT_EQ(device_->Requests(), std::vector<std::string>(order.begin(), order.begin() + static_cast<long>(sent)));
  EXPECT_EQ(panels.size(), std::max<std::size_t>(sent, 2) - 2);  // the queries answered before it
  EXPECT_EQ(selected, command != "sc");
}

INSTANTIATE_TEST_SUITE_P(Commands, IdentificationEcho, ::testing::Values("sc", "rt", "rh", "rx"));

// A device that answers one "r1" 120 ms late while live values run: the
// late reply is thrown away, and no panel ever shows another command's value.
TEST_F(MainWindowSequences, LateReplyNeverShowsOnAnotherPanel) {
  bool late = true;
  device_->SetResponder([&](const std::string& r) {
    if (r == "r1\r" && late) {
      late = false;
      return VirtualReply::Answer("r1 -56\r\n", 120);
    }
    return Answer(values_, r);
  });
  const int lost = LiveValuesLost();
  EXPECT_LE(lost, 2);
  EXPECT_GE(lost, 1);
}

// A device that sends one "r0" reply twice, the second burst 70 ms after
// the first, when the first has already ended the exchange: the late burst
// lands in the next exchange, whose echo it fails, so it shows as "?" and
// never as the velocity.
TEST_F(MainWindowSequences, ASecondBurstIsNeverTakenForTheNextReply) {
  bool twice = true;
  device_->SetResponder([&](const std::string& r) {
    if (r == "r0\r" && twice) {
      twice = false;
      return VirtualReply{{{5, "r0 1234\r\n", 0}, {70, "r0 1234\r\n", 0}}, false};
    }
    // The velocity comes 30 ms after its request: after the late burst.
    if (r == "r1\r") return VirtualReply::Answer("r1 -56\r\n", 30);
    return Answer(values_, r);
  });
  const int lost = LiveValuesLost();
  EXPECT_GE(lost, 1);  // the velocity exchange that caught the burst
  EXPECT_LE(lost, 2);
}

// Replies that echo another command: the position panel shows "?", the
// inputs and the error number are not taken from them.
TEST_F(MainWindowSequences, RepliesEchoingAnotherCommandAreNeverValues) {
  const std::map<std::string, std::string> swapped = {{"r0\r", "r1 -56\r\n"}, {"ri\r", "ru 5\r\n"}, {"rf\r", "r0 12\r\n"}};
  device_->SetResponder([&](const std::string& r) {
    const auto it = swapped.find(r);
    return it != swapped.end() ? VirtualReply::Answer(it->second) : Answer(values_, r);
  });
  LivePolling polling(port_, globals_);
  std::vector<std::string> positions;
  int inputs = -1, outputs = -1;
  polling.OnValue = [&](LiveQuantity q, const std::string& text) {
    if (q == LiveQuantity::ActPos) positions.push_back(text);
  };
  polling.OnInputs = [&](int bits) { inputs = bits; };
  polling.OnOutputs = [&](int bits) { outputs = bits; };
  polling.SwitchLiveOn();
  polling.SwitchIoOn();
  ASSERT_TRUE(PumpUntil([&] { return positions.size() >= 3 && outputs >= 0; }));
  polling.SwitchLiveOff();
  polling.SwitchIoOff();
  for (const std::string& text : positions) EXPECT_EQ(text, "?");
  EXPECT_EQ(inputs, -1);
  EXPECT_EQ(outputs, 5);

  PollingPause pause;
  ErrorNumberPoll poll(port_, pause);
  int errorReplies = 0;
  poll.OnReply = [&](const std::string&, const std::string&) { ++errorReplies; };
  const std::size_t before = device_->RequestCount();
  poll.Tick();
  ASSERT_TRUE(PumpUntil([&] { return device_->RequestCount() > before; }));
  PumpFor(50);
  EXPECT_EQ(errorReplies, 0);
}

TEST_F(MainWindowSequences, InputsAndOutputsGiveTheirBits) {
  LivePolling polling(port_, globals_);
  int inputs = -1, outputs = -1;
  polling.OnInputs = [&](int bits) { inputs = bits; };
  polling.OnOutputs = [&](int bits) { outputs = bits; };
  polling.SwitchIoOn();
  ASSERT_TRUE(PumpUntil([&] { return inputs >= 0 && outputs >= 0; }));
  polling.SwitchIoOff();
  EXPECT_EQ(inputs, 2);
  EXPECT_EQ(outputs, 5);
}

TEST_F(MainWindowSequences, ErrorPollWaitsWhileAWindowHoldsThePause) {
  PollingPause pause;
  ErrorNumberPoll poll(port_, pause);
  std::vector<std::string> errors;
  poll.OnReply = [&](const std::string& text, const std::string&) { errors.push_back(text); };
  {
    PollingPause::Hold hold = pause.Acquire();
    poll.Tick();
    PumpFor(30);
    EXPECT_EQ(device_->RequestCount(), 0u);
  }
  values_["rf"] = "12";
  poll.Tick();
  ASSERT_TRUE(PumpUntil([&] { return errors.size() == 1; }));
  EXPECT_EQ(errors[0], "VQ2... Error: 12");
}

TEST(FailureTextHold, PollClearsOnlyAfterThreeSeconds) {
  FailureTextHold hold;
  EXPECT_TRUE(hold.PollMayClear(0));
  hold.Shown(1000);
  EXPECT_FALSE(hold.PollMayClear(1100));
  EXPECT_FALSE(hold.PollMayClear(3999));
  EXPECT_TRUE(hold.PollMayClear(4000));
  hold.Cleared();
  EXPECT_TRUE(hold.PollMayClear(1100));
}

}  // namespace
