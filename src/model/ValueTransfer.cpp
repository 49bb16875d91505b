#include "model/ValueTransfer.h"

#include <algorithm>
#include <cassert>

#include "model/DeviceReply.h"
#include "model/ParameterNumbers.h"
#include "model/ServiceInput.h"

namespace {

constexpr int kLastParameter = kParameterCount - 1;
constexpr std::size_t kReplyStartLength = 4;

std::string Code(const TransferStep& step, bool write) {
  switch (step.phase) {
    case TransferPhase::Parameters: return write ? "wp" : "rp";
    case TransferPhase::Setpoints: return write ? "ws" : "rs";
    case TransferPhase::Computing: return "bp";
  }
  return {};
}

std::string Text(const ResultBytes& reply) { return std::string(reply.begin(), reply.end()); }

// A device need only echo a write's code; when its whole-line reply names a
// number as well, it must be the one written.
bool EchoesWrite(const ResultBytes& reply, const std::string& code, int number) {
  const std::optional<std::string> line = ReplyLine(reply);
  if (!line || (*line != code && !line->starts_with(code + " "))) return false;
  const std::string rest = line->size() > code.size() ? line->substr(code.size() + 1) : std::string();
  const auto echoed = ParseDecimal(rest.substr(0, rest.find(' ')));
  return !echoed || *echoed == number;
}

}  // namespace

std::vector<TransferStep> TransferSteps(int mode, bool write) {
  std::vector<TransferStep> steps;
  if (mode != kTransferSetpoints)
    for (int n = 0; n <= kLastParameter; ++n) steps.push_back({TransferPhase::Parameters, n});
  if (mode != kTransferParameters)
    for (int n = 1; n <= kSetpointCount; ++n) steps.push_back({TransferPhase::Setpoints, n});
  if (write && mode != kTransferSetpoints) steps.push_back({TransferPhase::Computing, 0});
  return steps;
}

std::string TransferCommand(const TransferStep& step, bool write, const DeviceContent& send) {
  write = write && !step.readBack;
  const std::string code = Code(step, write);
  if (step.phase == TransferPhase::Computing) return code;
  std::string command = code + " " + std::to_string(step.number);
  if (write) {
    const auto n = static_cast<std::size_t>(step.number);
    command += " " + std::to_string(step.phase == TransferPhase::Parameters ? send.parameters[n] : send.setpoints[n]);
  }
  return command;
}

std::vector<TransferStep> WriteStepsFor(std::vector<TransferStep> items, bool compute) {
  const bool parameters = std::any_of(items.begin(), items.end(),
                                      [](const TransferStep& s) { return s.phase == TransferPhase::Parameters; });
  if (compute && parameters) items.push_back({TransferPhase::Computing, 0});
  return items;
}

std::vector<TransferStep> KeepingLineIdentity(std::vector<TransferStep> steps) {
  std::erase_if(steps, [](const TransferStep& s) {
    return s.phase == TransferPhase::Parameters &&
           (s.number == ParameterNumber::UnitNumber || s.number == ParameterNumber::LineBaudrate ||
            s.number == ParameterNumber::LineDataFormat);
  });
  return steps;
}

std::string TransferItemLabel(const TransferStep& step) {
  if (step.phase == TransferPhase::Computing) return {};
  std::string digits = std::to_string(step.number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return std::string(step.phase == TransferPhase::Parameters ? "   P[" : "   S[") + digits + "]";
}

ValueTransfer::ValueTransfer(TQL200Protocol& values, TQL200Protocol* compute, TQL200Protocol* readBack)
    : values_(values), compute_(compute), readBack_(readBack) {
  std::vector<TQL200Protocol*> components{&values_};
  if (compute_ != nullptr) components.push_back(compute_);
  if (readBack_ != nullptr) components.push_back(readBack_);
  // Every reply is one line: with fast replies on the port, it ends there.
  for (TQL200Protocol* c : components) c->SingleLineReplies = true;
  chain_ = std::make_unique<CommandChain>(components);
  chain_->NextCommand = [this](std::size_t index) { return Command(index); };
  chain_->CheckReply = [this](std::size_t index, const ResultBytes& reply) { return Check(index, reply); };
  chain_->Accepted = [this](std::size_t index, const ResultBytes& reply) { Store(index, reply); };
  chain_->Ended = [this](const CommandChain::End& end) { Finish(end); };
}

void ValueTransfer::StartRead(int mode) { StartRead(TransferSteps(mode, false)); }

void ValueTransfer::StartWrite(int mode, const DeviceContent& send, bool verify) {
  StartWrite(TransferSteps(mode, true), send, verify);
}

void ValueTransfer::StartRead(std::vector<TransferStep> steps) { Start(std::move(steps), false, false); }

void ValueTransfer::StartWrite(std::vector<TransferStep> steps, const DeviceContent& send, bool verify) {
  assert(compute_ != nullptr);
  assert(!verify || readBack_ != nullptr);
  send_ = send;
  Start(std::move(steps), true, verify);
}

void ValueTransfer::Start(std::vector<TransferStep> steps, bool write, bool verify) {
  write_ = write;
  verify_ = verify;
  steps_ = std::move(steps);
  written_ = steps_.size();
  announced_ = 0;
  lastComputeReply_.clear();
  chain_->Start();
}

// Once the writes are through, every item written is read back, unless the
// device did not take the parameters over (that ends the run as it is).
bool ValueTransfer::AddReadBack() {
  const bool computed = std::any_of(steps_.begin(), steps_.end(),
                                    [](const TransferStep& s) { return s.phase == TransferPhase::Computing; });
  if (computed && CheckComputeReply(Text(lastComputeReply_)).Outcome != ComputeReply::Computed) return false;
  for (std::size_t i = 0; i < written_; ++i) {
    TransferStep step = steps_[i];
    if (step.phase == TransferPhase::Computing) continue;
    step.readBack = true;
    steps_.push_back(step);
  }
  return steps_.size() > written_;
}

std::optional<CommandChain::Command> ValueTransfer::Command(std::size_t index) {
  if (index >= steps_.size() && !(write_ && verify_ && index == written_ && AddReadBack())) return std::nullopt;
  const TransferStep& step = steps_[index];
  // A resend after an invalid reply is the same step: no new progress.
  if (index == announced_) {
    ++announced_;
    if (Progress) Progress(step);
  }
  TQL200Protocol* component = step.phase == TransferPhase::Computing ? compute_ : step.readBack ? readBack_ : &values_;
  return CommandChain::Command{component, TransferCommand(step, write_, send_)};
}

CommandChain::Verdict ValueTransfer::Check(std::size_t index, const ResultBytes& reply) const {
  using Verdict = CommandChain::Verdict;
  if (reply.size() > kReplyCopyLimit) return Verdict::Invalid;
  const TransferStep& step = steps_[index];
  if (step.phase == TransferPhase::Computing)
    return CheckComputeReply(Text(reply)).Outcome == ComputeReply::Invalid ? Verdict::Invalid : Verdict::Accept;
  if (Writes(step)) {
    if (Text(reply).starts_with("er 7")) return Verdict::Refused;
    return EchoesWrite(reply, Code(step, true), step.number) ? Verdict::Accept : Verdict::Invalid;
  }
  const std::optional<std::string> rest = EchoedReplyRest(reply, Code(step, false), step.number);
  if (!rest) return Verdict::Invalid;
  // A read's value must be a whole number the tables can hold.
  if (!ParseDecimal(*rest)) return Verdict::Invalid;
  return Verdict::Accept;
}

void ValueTransfer::Store(std::size_t index, const ResultBytes& reply) {
  const TransferStep& step = steps_[index];
  if (step.phase == TransferPhase::Computing) lastComputeReply_ = reply;
  if (step.phase == TransferPhase::Computing || Writes(step)) return;
  const auto value = ParseDecimal(*EchoedReplyRest(reply, Code(step, false), step.number));
  const auto n = static_cast<std::size_t>(step.number);
  (step.phase == TransferPhase::Parameters ? received_.parameters[n] : received_.setpoints[n]) = *value;
}

std::vector<HeldOtherwise> ValueTransfer::Compared() const {
  std::vector<HeldOtherwise> differing;
  for (std::size_t i = written_; i < steps_.size(); ++i) {
    TransferStep item = steps_[i];
    item.readBack = false;
    const auto n = static_cast<std::size_t>(item.number);
    const bool parameter = item.phase == TransferPhase::Parameters;
    const std::int32_t written = parameter ? send_.parameters[n] : send_.setpoints[n];
    const std::int32_t held = parameter ? received_.parameters[n] : received_.setpoints[n];
    if (written != held) differing.push_back({item, written, held});
  }
  return differing;
}

void ValueTransfer::Finish(const CommandChain::End& end) {
  using Outcome = CommandChain::Outcome;
  TransferEnd result;
  result.step = steps_.empty() ? TransferStep{} : steps_[std::min(end.step, steps_.size() - 1)];
  switch (end.outcome) {
    case Outcome::Completed:
    case Outcome::Stopped: {
      result.kind = TransferEnd::Kind::Finished;
      if (write_ && result.step.phase == TransferPhase::Computing) {
        const ComputeResult compute = CheckComputeReply(Text(lastComputeReply_));
        if (compute.Outcome == ComputeReply::Failed) {
          result.kind = TransferEnd::Kind::ComputeFailed;
          result.computeCode = compute.Code;
        }
      }
      if (end.outcome == Outcome::Completed && write_ && result.step.readBack) {
        result.verified = true;
        result.heldOtherwise = Compared();
        if (!result.heldOtherwise.empty()) result.kind = TransferEnd::Kind::Differs;
      }
      break;
    }
    case Outcome::Invalid:
      result.kind = TransferEnd::Kind::Invalid;
      result.replyStart = ReplyText(end.reply).substr(0, kReplyStartLength);
      break;
    case Outcome::Refused: result.kind = TransferEnd::Kind::Refused; break;
    case Outcome::Failed:
      result.kind = end.error.Code == ceTimeout ? TransferEnd::Kind::TimedOut : TransferEnd::Kind::LineFault;
      break;
    case Outcome::Cancelled: result.kind = TransferEnd::Kind::Cancelled; break;
  }
  if (Ended) Ended(result);
}
