#include "model/DeviceWordsRead.h"

#include "model/CalibrationReplies.h"
#include "model/CalibrationWords.h"
#include "model/DeviceReply.h"

namespace {

std::int32_t AddressOf(std::size_t step) { return kFirstDeviceWord + static_cast<std::int32_t>(step); }

}  // namespace

std::optional<std::int32_t> DeviceWordValue(const ResultBytes& reply, std::int32_t address) {
  const CalibrationReply split = SplitChainReply(reply);
  if (split.cut || split.commandWord != "kr" || !split.twoParts || split.firstToken != std::to_string(address))
    return std::nullopt;
  return ParseDecimal(split.value);
}

DeviceWordsRead::DeviceWordsRead(TQL200Protocol& component)
    : component_(component), chain_(std::make_unique<CommandChain>(std::vector<TQL200Protocol*>{&component})) {
  chain_->NextCommand = [this](std::size_t step) -> std::optional<CommandChain::Command> {
    if (step >= static_cast<std::size_t>(kDeviceWordCount)) return std::nullopt;
    return CommandChain::Command{&component_, ReadWordCommand(AddressOf(step))};
  };
  chain_->CheckReply = [](std::size_t step, const ResultBytes& reply) {
    if (DeviceWordValue(reply, AddressOf(step))) return CommandChain::Verdict::Accept;
    return EchoesCommand(reply, "er") ? CommandChain::Verdict::Refused : CommandChain::Verdict::Invalid;
  };
  chain_->Accepted = [this](std::size_t step, const ResultBytes& reply) {
    words_[step] = *DeviceWordValue(reply, AddressOf(step));
  };
  chain_->Ended = [this](const CommandChain::End& end) {
    if (!Ended) return;
    const bool done = end.outcome == CommandChain::Outcome::Completed;
    Ended({end.outcome, done ? 0 : AddressOf(end.step), std::string(end.reply.begin(), end.reply.end()), end.error});
  };
}

void DeviceWordsRead::Start() {
  words_ = {};
  chain_->Start();
}
