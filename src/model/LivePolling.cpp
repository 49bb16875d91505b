#include "model/LivePolling.h"

#include "model/DeviceReply.h"
#include "model/LineCommand.h"

namespace {

bool ShortCopy(LiveQuantity q) { return q == LiveQuantity::Spanning_in || q == LiveQuantity::Stroom_in; }

}  // namespace

std::string LiveReplyText(LiveQuantity quantity, const ResultBytes& reply,
                          const std::array<std::int32_t, kParameterCount>& parameters) {
  if (!EchoesCommand(reply, Info(quantity).command)) return "?";
  const std::string value = ReplyValue(reply, ShortCopy(quantity) ? kShortReplyCopyLimit : kReplyCopyLimit);
  return LiveValueText(quantity, value, parameters);
}

std::optional<int> BitsOfReply(const char* command, const ResultBytes& reply) {
  if (!EchoesCommand(reply, command)) return std::nullopt;
  return BitPattern(ReplyValue(reply, kShortReplyCopyLimit));
}

LivePolling::LivePolling(TRkComm& port, TGlobalVar& globals) : globals_(globals) {
  for (int i = 0; i < kLiveQuantityCount; ++i) {
    const auto quantity = static_cast<LiveQuantity>(i);
    WireLineCommand(
        live_[static_cast<std::size_t>(i)], &port, 0, [this, quantity](const ResultBytes& r) { ValueReply(quantity, r); },
        [this, quantity](const TCommError& e) { ValueFailure(quantity, e); });
  }
  WireLineCommand(inputs_, &port, 0, [this](const ResultBytes& r) { BitsReply("ri", r, OnInputs); },
                  [this](const TCommError& e) {
                    if (OnInputFailure) OnInputFailure(e);
                  });
  WireLineCommand(outputs_, &port, 0, [this](const ResultBytes& r) { BitsReply("ru", r, OnOutputs); });
}

std::vector<LiveQuantity> LivePolling::SwitchLiveOn() {
  const std::vector<LiveQuantity> polled = QuantitiesToPoll(globals_.ParameterTable, globals_.DeviceType);
  for (LiveQuantity q : polled) {
    TQL200Protocol& c = live_[static_cast<std::size_t>(q)];
    c.ASCIIProtocol = Info(q).command;
    c.SetCyclic(true);
  }
  globals_.LiveValuesOn = true;
  return polled;
}

void LivePolling::SwitchLiveOff() {
  for (TQL200Protocol& c : live_) c.SetCyclic(false);
  globals_.LiveValuesOn = false;
}

void LivePolling::SwitchIoOn() {
  inputs_.ASCIIProtocol = "ri";
  inputs_.SetCyclic(true);
  outputs_.ASCIIProtocol = "ru";
  outputs_.SetCyclic(true);
  globals_.IoOn = true;
}

void LivePolling::SwitchIoOff() {
  inputs_.SetCyclic(false);
  outputs_.SetCyclic(false);
  globals_.IoOn = false;
}

void LivePolling::PortClosed() {
  globals_.LiveValuesOn = false;
  globals_.IoOn = false;
}

void LivePolling::ValueReply(LiveQuantity quantity, const ResultBytes& reply) {
  // A reply that comes after its mode was switched off belongs to no panel.
  if (!globals_.LiveValuesOn || !OnValue) return;
  OnValue(quantity, LiveReplyText(quantity, reply, globals_.ParameterTable));
}

void LivePolling::ValueFailure(LiveQuantity quantity, const TCommError& error) {
  // The all-clear record after a recovery is no failure: the panel keeps the
  // value that has just arrived. A late failure belongs to no panel either.
  if (error.IsSuccess() || !globals_.LiveValuesOn || !OnValue) return;
  OnValue(quantity, "?");
}

void LivePolling::BitsReply(const char* command, const ResultBytes& reply, const std::function<void(int)>& show) {
  if (!globals_.IoOn || !show) return;
  if (const std::optional<int> bits = BitsOfReply(command, reply)) show(*bits);
}
