#include "model/ValueTransfer.h"

#include <algorithm>
#include <cassert>

#include "model/DeviceReply.h"
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
  const std::string code = Code(step, write);
  if (step.phase == TransferPhase::Computing) return code;
  std::string command = code + " " + std::to_string(step.number);
  if (write) {
    const auto n = static_cast<std::size_t>(step.number);
    command += " " + std::to_string(step.phase == TransferPhase::Parameters ? send.parameters[n] : send.setpoints[n]);
  }
  return command;
}

std::string TransferItemLabel(const TransferStep& step) {
  if (step.phase == TransferPhase::Computing) return {};
  std::string digits = std::to_string(step.number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return std::string(step.phase == TransferPhase::Parameters ? "   P[" : "   S[") + digits + "]";
}

ValueTransfer::ValueTransfer(TQL200Protocol& values, TQL200Protocol* compute) : values_(values), compute_(compute) {
  std::vector<TQL200Protocol*> components{&values_};
  if (compute_ != nullptr) components.push_back(compute_);
  chain_ = std::make_unique<CommandChain>(components);
  chain_->NextCommand = [this](std::size_t index) { return Command(index); };
  chain_->CheckReply = [this](std::size_t index, const ResultBytes& reply) { return Check(index, reply); };
  chain_->Accepted = [this](std::size_t index, const ResultBytes& reply) { Store(index, reply); };
  chain_->Ended = [this](const CommandChain::End& end) { Finish(end); };
}

void ValueTransfer::StartRead(int mode) { StartRead(TransferSteps(mode, false)); }

void ValueTransfer::StartWrite(int mode, const DeviceContent& send) { StartWrite(TransferSteps(mode, true), send); }

void ValueTransfer::StartRead(std::vector<TransferStep> steps) { Start(std::move(steps), false); }

void ValueTransfer::StartWrite(std::vector<TransferStep> steps, const DeviceContent& send) {
  assert(compute_ != nullptr);
  send_ = send;
  Start(std::move(steps), true);
}

void ValueTransfer::Start(std::vector<TransferStep> steps, bool write) {
  write_ = write;
  steps_ = std::move(steps);
  announced_ = 0;
  lastComputeReply_.clear();
  chain_->Start();
}

std::optional<CommandChain::Command> ValueTransfer::Command(std::size_t index) {
  if (index >= steps_.size()) return std::nullopt;
  const TransferStep& step = steps_[index];
  // A resend after an invalid reply is the same step: no new progress.
  if (index == announced_) {
    ++announced_;
    if (Progress) Progress(step);
  }
  TQL200Protocol* component = step.phase == TransferPhase::Computing ? compute_ : &values_;
  return CommandChain::Command{component, TransferCommand(step, write_, send_)};
}

CommandChain::Verdict ValueTransfer::Check(std::size_t index, const ResultBytes& reply) const {
  using Verdict = CommandChain::Verdict;
  if (reply.size() > kReplyCopyLimit) return Verdict::Invalid;
  const TransferStep& step = steps_[index];
  if (step.phase == TransferPhase::Computing)
    return CheckComputeReply(Text(reply)).Outcome == ComputeReply::Invalid ? Verdict::Invalid : Verdict::Accept;
  if (write_) {
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
  if (write_) return;
  const auto value = ParseDecimal(*EchoedReplyRest(reply, Code(step, false), step.number));
  const auto n = static_cast<std::size_t>(step.number);
  (step.phase == TransferPhase::Parameters ? received_.parameters[n] : received_.setpoints[n]) = *value;
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
