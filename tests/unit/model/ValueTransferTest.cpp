// Reading and writing a device's values on the virtual line: the commands
// of each mode, the echo and value checks, one resend, refusals, time-outs,
// the compute answer and Cancel.
#include "CommTestSupport.h"

#include <array>
#include <map>

#include "model/ValueTransfer.h"

namespace {

using Kind = TransferEnd::Kind;

// A device holding values, with faults planned per command text.
class TransferDevice {
public:
  std::map<int, std::int32_t> parameters, setpoints;
  std::map<std::string, std::vector<std::string>> planned;  // command -> replies used one by one ("" silence)
  std::map<int, std::int32_t> clampedAt;  // parameter -> the highest value it stores, without a word
  std::string computeAnswer = "bp -1";

  VirtualReply operator()(const std::string& request) {
    const std::string command = request.substr(0, request.find('\r'));
    auto plan = planned.find(command);
    if (plan != planned.end() && !plan->second.empty()) {
      std::string reply = plan->second.front();
      plan->second.erase(plan->second.begin());
      if (reply.empty()) return VirtualReply::Silence();
      // "rp 120 7|7": the line pauses 85 ms where the bar is.
      const std::size_t pause = reply.find('|');
      if (pause == std::string::npos) return VirtualReply::Answer(reply + "\r\n");
      VirtualReply cut = VirtualReply::Answer(reply.substr(0, pause));
      cut.bursts.push_back({85, reply.substr(pause + 1) + "\r\n"});
      return cut;
    }
    return VirtualReply::Answer(Normal(command) + "\r\n");
  }

private:
  std::string Normal(const std::string& command) {
    const std::string code = command.substr(0, 2);
    if (code == "bp") return computeAnswer;
    const std::size_t blank = command.find(' ', 3);
    const int n = std::stoi(command.substr(3, blank - 3));
    auto& table = code[1] == 'p' ? parameters : setpoints;
    if (code[0] == 'w') table[n] = std::stoi(command.substr(blank + 1));
    if (code == "wp" && clampedAt.count(n)) table[n] = std::min(table[n], clampedAt[n]);
    return code + " " + std::to_string(n) + " " + std::to_string(table[n]);
  }
};

class Transfer : public VirtualPortFixture {
protected:
  Transfer() : transfer_(values_, &compute_, &readBack_) {
    SetUpLineCommand(values_, &port_, 1000);
    SetUpLineCommand(compute_, &port_, 2000);
    SetUpLineCommand(readBack_, &port_, 1000);
    transfer_.Progress = [this](const TransferStep& step) { progress_.push_back(step); };
    transfer_.Ended = [this](const TransferEnd& end) { ends_.push_back(end); };
    device_->SetResponder([this](const std::string& r) { return device(r); });
    port_.Open();
  }
  ~Transfer() override { port_.Close(); }

  TransferEnd Run() {
    EXPECT_TRUE(PumpUntil([&] { return !ends_.empty(); }, 20000));
    return ends_.empty() ? TransferEnd{} : ends_.back();
  }
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const auto& r : device_->Requests()) out.push_back(r.substr(0, r.find('\r')));
    return out;
  }
  static DeviceContent Pattern() {
    DeviceContent c;
    for (int n = 0; n < kParameterCount; ++n) c.parameters[static_cast<std::size_t>(n)] = 1000 - 7 * n;
    for (int n = 1; n <= kSetpointCount; ++n) c.setpoints[static_cast<std::size_t>(n)] = -n * 100000;
    return c;
  }

  TQL200Protocol values_, compute_, readBack_;
  ValueTransfer transfer_;
  TransferDevice device;
  std::vector<TransferStep> progress_;
  std::vector<TransferEnd> ends_;
};

struct ModeCase {
  int mode;
  bool write;
  std::size_t commands;
  const char* first;
  const char* last;
};

class TransferModes : public Transfer, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(TransferModes, SendsEachItemOnceInOrder) {
  const ModeCase& c = GetParam();
  const DeviceContent content = Pattern();
  for (int n = 0; n < kParameterCount; ++n) device.parameters[n] = content.parameters[static_cast<std::size_t>(n)];
  for (int n = 1; n <= kSetpointCount; ++n) device.setpoints[n] = content.setpoints[static_cast<std::size_t>(n)];
  if (c.write)
    transfer_.StartWrite(c.mode, content);
  else
    transfer_.StartRead(c.mode);
  EXPECT_EQ(Run().kind, Kind::Finished);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), c.commands);
  EXPECT_EQ(commands.front(), c.first);
  EXPECT_EQ(commands.back(), c.last);
  EXPECT_EQ(progress_.size(), c.commands);
  if (c.write) return;
  // Every value read is the device's, exactly; nothing beyond the mode.
  DeviceContent expected;
  if (c.mode != kTransferSetpoints) expected.parameters = content.parameters;
  if (c.mode != kTransferParameters) expected.setpoints = content.setpoints;
  EXPECT_EQ(transfer_.Received(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, TransferModes,
    ::testing::Values(ModeCase{0, false, 316, "rp 0", "rp 315"}, ModeCase{1, false, 24, "rs 1", "rs 24"},
                      ModeCase{2, false, 340, "rp 0", "rs 24"}, ModeCase{3, false, 340, "rp 0", "rs 24"},
                      ModeCase{0, true, 317, "wp 0 1000", "bp"}, ModeCase{1, true, 24, "ws 1 -100000", "ws 24 -2400000"},
                      ModeCase{2, true, 341, "wp 0 1000", "bp"}, ModeCase{3, true, 341, "wp 0 1000", "bp"}));

TEST_F(Transfer, WritesNegativeValuesWithTheSignAfterTheBlankAndTheDeviceHoldsThem) {
  const DeviceContent content = Pattern();
  transfer_.StartWrite(kTransferWholeDevice, content);
  ASSERT_EQ(Run().kind, Kind::Finished);
  EXPECT_EQ(Commands()[200], "wp 200 -400");
  for (int n = 0; n < kParameterCount; ++n) EXPECT_EQ(device.parameters[n], content.parameters[static_cast<std::size_t>(n)]);
  EXPECT_EQ(device.setpoints[24], -2400000);
}

struct FaultCase {
  const char* name;
  bool write;
  std::vector<std::string> replies;  // to the command of item 120 ("" = silence)
  Kind kind;
  std::size_t extraRequests;  // beyond one per step of the whole run
  const char* replyStart = "";
};

class TransferFaults : public Transfer, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(TransferFaults, EndAsTheReplyDeserves) {
  const FaultCase& c = GetParam();
  device.parameters[120] = 77;
  const std::string command = c.write ? "wp 120 77" : "rp 120";
  device.planned[command] = c.replies;
  DeviceContent content;
  content.parameters[120] = 77;
  if (c.write)
    transfer_.StartWrite(kTransferParameters, content);
  else
    transfer_.StartRead(kTransferParameters);
  const TransferEnd end = Run();
  EXPECT_EQ(end.kind, c.kind);
  EXPECT_EQ(end.replyStart, c.replyStart);
  const std::size_t steps = c.write ? 317 : 316;
  if (c.kind == Kind::Finished) {
    EXPECT_EQ(Commands().size(), steps + c.extraRequests);
    if (!c.write) {
      EXPECT_EQ(transfer_.Received().parameters[120], 77);
    }
    return;
  }
  // Stopped at item 120: nothing after it, in particular no "bp".
  EXPECT_EQ(end.step, (TransferStep{TransferPhase::Parameters, 120}));
  EXPECT_EQ(Commands().size(), 120 + 1 + c.extraRequests);
  EXPECT_EQ(Commands().back(), command);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TransferFaults,
    ::testing::Values(
        FaultCase{"GarbledOnceIsResent", false, {"xp 120 77"}, Kind::Finished, 1},
        FaultCase{"GarbledTwiceStops", false, {"xq#0 120 77", "xq#0 120 77"}, Kind::Invalid, 1, "xq#0"},
        FaultCase{"LateReplyOfTheCommandBeforeIsResent", false, {"rp 119 5"}, Kind::Finished, 1},
        FaultCase{"ShiftedTwiceStops", false, {"rp 119 5", "rp 119 5"}, Kind::Invalid, 1, "rp 1"},
        FaultCase{"ValueNotDecimal", false, {"rp 120 7x", "rp 120 0x1F"}, Kind::Invalid, 1, "rp 1"},
        FaultCase{"ValueBeyond32Bits", false, {"rp 120 2147483648", "rp 120 -2147483649"}, Kind::Invalid, 1, "rp 1"},
        FaultCase{"ReplyOver100Bytes", false, {"rp 120 " + std::string(100, '7'), "rp 120 " + std::string(100, '7')},
                  Kind::Invalid, 1, "rp 1"},
        FaultCase{"SetpointCodeInTheParameterPhase", false, {"rs 120 77", "rs 120 77"}, Kind::Invalid, 1, "rs 1"},
        FaultCase{"NoReplyTimesOut", false, {""}, Kind::TimedOut, 0},
        FaultCase{"WriteRefused", true, {"er 7"}, Kind::Refused, 0},
        FaultCase{"WriteEchoOfAnotherNumberIsResent", true, {"wp 119 77"}, Kind::Finished, 1},
        FaultCase{"WriteEchoOfTheCodeAloneIsTaken", true, {"wp"}, Kind::Finished, 0},
        FaultCase{"WriteGarbledTwiceStops", true, {"w", "wq"}, Kind::Invalid, 1, "wq"},
        FaultCase{"ReplyCutByAPauseIsResentOnceTheLineIsQuiet", false, {"rp 120 7|7"}, Kind::Finished, 1},
        FaultCase{"WriteEchoCutByAPauseIsResent", true, {"wp 12|0 77"}, Kind::Finished, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Transfer, ValidReplyClearsTheResendSoALaterSingleFaultIsResentAgain) {
  device.planned["rs 3"] = {"garbage"};
  device.planned["rs 9"] = {"garbage"};
  transfer_.StartRead(kTransferSetpoints);
  EXPECT_EQ(Run().kind, Kind::Finished);
  EXPECT_EQ(Commands().size(), 26u);
  EXPECT_EQ(progress_.size(), 24u);
}

struct ComputeCase {
  std::vector<std::string> replies;
  Kind kind;
  const char* code;
  std::size_t computeRequests;
};

class TransferCompute : public Transfer, public ::testing::WithParamInterface<ComputeCase> {};

TEST_P(TransferCompute, TheComputeAnswerDecidesTheEnd) {
  device.planned["bp"] = GetParam().replies;
  transfer_.StartWrite(kTransferParameters, DeviceContent{});
  const TransferEnd end = Run();
  EXPECT_EQ(end.kind, GetParam().kind);
  EXPECT_EQ(end.computeCode, GetParam().code);
  std::size_t computes = 0;
  for (const auto& c : Commands()) computes += c == "bp";
  EXPECT_EQ(computes, GetParam().computeRequests);
}

INSTANTIATE_TEST_SUITE_P(Answers, TransferCompute,
                         ::testing::Values(ComputeCase{{"bp -1"}, Kind::Finished, "", 1},
                                           ComputeCase{{"bp 3"}, Kind::ComputeFailed, "3", 1},
                                           ComputeCase{{"wp 315 0"}, Kind::Finished, "", 2},
                                           ComputeCase{{"xx", "yy"}, Kind::Invalid, "", 2},
                                           ComputeCase{{"bp -|1"}, Kind::Finished, "", 2},
                                           ComputeCase{{""}, Kind::TimedOut, "", 1}));

struct VerifyCase {
  const char* name;
  const char* computeAnswer;
  Kind kind;
  std::vector<std::string> commands;
  std::vector<std::array<std::int32_t, 3>> heldOtherwise;  // number, written, held
};

class TransferVerify : public Transfer, public ::testing::WithParamInterface<VerifyCase> {};

// Written, computed, then each value read back: a value the device clamped
// is listed with both values; a set the device did not take over is not
// read back.
TEST_P(TransferVerify, ReadsBackWhatWasWrittenOnceTheDeviceTookItOver) {
  const VerifyCase& c = GetParam();
  device.computeAnswer = c.computeAnswer;
  device.clampedAt[247] = 30;
  DeviceContent send;
  send.parameters[7] = 5;
  send.parameters[247] = 40;
  transfer_.StartWrite(WriteStepsFor({{TransferPhase::Parameters, 7}, {TransferPhase::Parameters, 247}}, true), send,
                       true);
  const TransferEnd end = Run();
  EXPECT_EQ(end.kind, c.kind);
  EXPECT_EQ(Commands(), c.commands);
  std::vector<std::array<std::int32_t, 3>> held;
  for (const HeldOtherwise& h : end.heldOtherwise) held.push_back({h.item.number, h.written, h.held});
  EXPECT_EQ(held, c.heldOtherwise);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TransferVerify,
    ::testing::Values(
        VerifyCase{"Clamped", "bp -1", Kind::Differs, {"wp 7 5", "wp 247 40", "bp", "rp 7", "rp 247"}, {{247, 40, 30}}},
        VerifyCase{"NotTakenOver", "bp 8", Kind::ComputeFailed, {"wp 7 5", "wp 247 40", "bp"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Transfer, CancelTakesEffectWhenTheExchangeUnderWayIsAnswered) {
  device_->SetResponder([this](const std::string& r) {
    VirtualReply reply = device(r);
    reply.bursts.front().afterMs = 300;
    return reply;
  });
  transfer_.StartRead(kTransferParameters);
  transfer_.RequestCancel();
  EXPECT_EQ(Run().kind, Kind::Cancelled);
  EXPECT_EQ(Commands(), (std::vector<std::string>{"rp 0"}));
}

TEST_F(Transfer, AgainStartsAtTheFirstItem) {
  device.planned["wp 120 0"] = {"er 7"};
  transfer_.StartWrite(kTransferParameters, DeviceContent{});
  ASSERT_EQ(Run().kind, Kind::Refused);
  ends_.clear();
  progress_.clear();
  transfer_.StartWrite(kTransferParameters, DeviceContent{});
  EXPECT_EQ(Run().kind, Kind::Finished);
  EXPECT_EQ(progress_.front(), (TransferStep{TransferPhase::Parameters, 0}));
  EXPECT_EQ(Commands()[121], "wp 0 0");
}

TEST_F(Transfer, ALineFaultIsNotATimeOut) {
  device_->SetResponder([](const std::string&) {
    return VirtualReply{{{5, "rp 0 1\r\n", CE_FRAME}}, false};
  });
  transfer_.StartRead(kTransferParameters);
  EXPECT_EQ(Run().kind, Kind::LineFault);
}

TEST_F(Transfer, AClosedPortEndsTheRunAtOnce) {
  port_.Close();
  transfer_.StartRead(kTransferSetpoints);
  EXPECT_EQ(Run().kind, Kind::LineFault);
  EXPECT_TRUE(Commands().empty());
}

}  // namespace
