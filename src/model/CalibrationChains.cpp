#include "model/CalibrationChains.h"

#include "model/Functies.h"

namespace {

CommandChain::Verdict VerdictOf(const CheckedReply& checked) {
  switch (checked.use) {
    case ReplyUse::Use: return CommandChain::Verdict::Accept;
    case ReplyUse::AskAgain: return CommandChain::Verdict::Invalid;
    case ReplyUse::Refused: return CommandChain::Verdict::Refused;
  }
  return CommandChain::Verdict::Invalid;
}

std::optional<int> TeachIndex(std::int32_t address) {
  const std::int32_t first = TeachWords().front().address;
  if (address < first || address >= kTeachChainEnd) return std::nullopt;
  return address - first;
}

}  // namespace

CalibrationChains::CalibrationChains(CalibrationModel& model, TQL200Protocol& words, TQL200Protocol& teach,
                                     TQL200Protocol& inputMode)
    : model_(model), words_(words), teach_(teach), inputMode_(inputMode) {
  reads_ = std::make_unique<CommandChain>(std::vector<TQL200Protocol*>{&words_, &teach_});
  reads_->NextCommand = [this](std::size_t step) -> std::optional<CommandChain::Command> {
    if (step >= readSteps_.size()) return std::nullopt;
    return CommandChain::Command{readSteps_[step].component, ReadWordCommand(readSteps_[step].address)};
  };
  reads_->CheckReply = [this](std::size_t step, const ResultBytes& reply) {
    return VerdictOf(CheckWordReply(reply, readSteps_[step].address));
  };
  reads_->Accepted = [this](std::size_t step, const ResultBytes& reply) { ReadAccepted(step, reply); };
  reads_->Ended = [this](const CommandChain::End& end) { ReadsEnded(end); };

  switch_ = std::make_unique<CommandChain>(std::vector<TQL200Protocol*>{&inputMode_});
  switch_->NextCommand = [this](std::size_t step) -> std::optional<CommandChain::Command> {
    if (step == 0) return CommandChain::Command{&inputMode_, InputModeCommand(switching_)};
    if (step == 1) return CommandChain::Command{&inputMode_, kCmdCompute};
    return std::nullopt;
  };
  switch_->CheckReply = [this](std::size_t, const ResultBytes& reply) {
    return VerdictOf(CheckInputModeReply(reply, inputMode_.ASCIIProtocol));
  };
  switch_->Accepted = [this](std::size_t, const ResultBytes& reply) {
    if (Status) Status(CheckInputModeReply(reply, inputMode_.ASCIIProtocol).status);
  };
  switch_->Ended = [this](const CommandChain::End& end) { SwitchEnded(end); };
}

// --- Reads -------------------------------------------------------------------------

std::vector<CalibrationChains::Read> CalibrationChains::Reads(TQL200Protocol* words, TQL200Protocol& teach) {
  std::vector<Read> reads;
  if (words != nullptr)
    for (std::int32_t address : kReadChainOrder) reads.push_back({words, address});
  for (const TeachWord& word : TeachWords()) reads.push_back({&teach, word.address});
  return reads;
}

void CalibrationChains::ReadAll() { StartReads(Reads(&words_, teach_)); }

void CalibrationChains::ReadTeachValues() {
  if (reads_->Running()) return;
  StartReads(Reads(nullptr, teach_));
}

void CalibrationChains::StartReads(std::vector<Read> reads) {
  // A component has one request record: a new chain on it waits until the
  // exchange under way has ended.
  if (reads_->Running()) {
    pendingReads_ = std::move(reads);
    reads_->RequestCancel();
    return;
  }
  readSteps_ = std::move(reads);
  reads_->Start();
}

void CalibrationChains::ReadAccepted(std::size_t step, const ResultBytes& reply) {
  const Read& read = readSteps_[step];
  const CheckedReply checked = CheckWordReply(reply, read.address);
  if (Status) Status(checked.status);
  if (read.component == &words_) {
    const std::int32_t shown = model_.StoreReadWord(read.address, checked.value);
    if (WordRead) WordRead(*CalibrationWordIndex(read.address), shown);
  } else if (const auto teach = TeachIndex(read.address); teach && TeachValueRead) {
    TeachValueRead(*teach, FormatFixed(0, checked.value));
  }
}

void CalibrationChains::ReadsEnded(const CommandChain::End& end) {
  if (end.outcome == CommandChain::Outcome::Cancelled && pendingReads_) {
    std::vector<Read> next = std::move(*pendingReads_);
    pendingReads_.reset();
    StartReads(std::move(next));
    return;
  }
  const std::int32_t address = end.step < readSteps_.size() ? readSteps_[end.step].address : 0;
  ShowEnd(end, [address](const ResultBytes& reply) { return CheckWordReply(reply, address); });
}

bool CalibrationChains::ReadChainRunning() const {
  const std::size_t step = reads_->Step();
  return reads_->Running() && step < readSteps_.size() && readSteps_[step].component == &words_;
}

std::int32_t CalibrationChains::TeachAddress() const {
  const std::size_t step = reads_->Step();
  if (!reads_->Running() || step >= readSteps_.size() || readSteps_[step].component != &teach_) return kTeachChainEnd;
  return readSteps_[step].address;
}

// --- The input mode ----------------------------------------------------------------

void CalibrationChains::SwitchInputMode(AnalogInput input) {
  if (switch_->Running()) {
    pendingSwitch_ = input;
    return;
  }
  StartSwitch(input);
}

void CalibrationChains::StartSwitch(AnalogInput input) {
  switching_ = input;
  switch_->Start();
}

void CalibrationChains::SwitchEnded(const CommandChain::End& end) {
  const std::string command = inputMode_.ASCIIProtocol;
  ShowEnd(end, [&command](const ResultBytes& reply) { return CheckInputModeReply(reply, command); });
  if (InputModeSwitched) InputModeSwitched(switching_, end.outcome == CommandChain::Outcome::Completed);
  if (pendingSwitch_) {
    const AnalogInput next = *pendingSwitch_;
    pendingSwitch_.reset();
    StartSwitch(next);
  }
}

void CalibrationChains::ShowEnd(const CommandChain::End& end,
                                const std::function<CheckedReply(const ResultBytes&)>& check) {
  if (!Status) return;
  switch (end.outcome) {
    case CommandChain::Outcome::Invalid:
    case CommandChain::Outcome::Refused: Status(check(end.reply).status); break;
    case CommandChain::Outcome::Failed:
      if (const auto text = CalibrationErrorText(end.error)) Status({*text, true});
      break;
    default: break;
  }
}
