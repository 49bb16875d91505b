#include "model/CommandChain.h"

#include "comm/RkComm.h"

CommandChain::CommandChain(std::vector<TQL200Protocol*> components) {
  for (TQL200Protocol* c : components) {
    c->OnCommResult = [this](TRkProtocolComponent&, const ResultBytes& r) { Reply(r); };
    c->OnCommError = [this](TRkProtocolComponent&, TCommError& e, const ResultBytes&) { Failure(e); };
  }
}

void CommandChain::Start(std::size_t step) {
  step_ = step;
  retried_ = false;
  stopRequested_ = false;
  cancelRequested_ = false;
  running_ = true;
  SendStep();
}

void CommandChain::Continue() {
  if (running_) return;
  Start(step_);
}

void CommandChain::RequestStop() {
  if (running_) stopRequested_ = true;
}

void CommandChain::RequestCancel() {
  if (running_) cancelRequested_ = true;
}

void CommandChain::SendStep() {
  current_ = NextCommand ? NextCommand(step_) : std::nullopt;
  if (!current_ || current_->component == nullptr) {
    Finish({Outcome::Completed, step_, {}, {}});
    return;
  }
  TRkComm* port = current_->component->RkComm();
  if (port == nullptr || !port->Active()) {
    // Nothing would ever answer: say so instead of waiting for ever.
    Finish({Outcome::Failed, step_, {}, {cePortClosed, 0, 0}});
    return;
  }
  current_->component->ASCIIProtocol = current_->text;
  current_->component->Send();
}

bool CommandChain::TakeCancel() {
  if (!cancelRequested_) return false;
  Finish({Outcome::Cancelled, step_, {}, {}});
  return true;
}

void CommandChain::Reply(const ResultBytes& reply) {
  if (!running_ || TakeCancel()) return;
  const Verdict verdict = CheckReply ? CheckReply(step_, reply) : Verdict::Accept;
  switch (verdict) {
    case Verdict::Accept:
      retried_ = false;
      if (Accepted) Accepted(step_, reply);
      if (running_) Advance();
      return;
    case Verdict::Skip: Advance(); return;
    case Verdict::Invalid:
      if (!retried_) {
        retried_ = true;
        current_->component->QuietBeforeNextSend();
        SendStep();
      } else {
        Finish({Outcome::Invalid, step_, reply, {}});
      }
      return;
    case Verdict::Refused: Finish({Outcome::Refused, step_, reply, {}}); return;
  }
}

void CommandChain::Failure(const TCommError& error) {
  // The all-clear record of a recovering cyclic component is no failure.
  if (!running_ || error.IsSuccess() || TakeCancel()) return;
  const Verdict verdict = CheckFailure ? CheckFailure(step_, error) : Verdict::Refused;
  if (verdict == Verdict::Skip || verdict == Verdict::Accept) {
    Advance();
    return;
  }
  Finish({Outcome::Failed, step_, {}, error});
}

void CommandChain::Advance() {
  ++step_;
  retried_ = false;
  if (stopRequested_) {
    Finish({Outcome::Stopped, step_, {}, {}});
    return;
  }
  SendStep();
}

void CommandChain::Finish(End end) {
  running_ = false;
  stopRequested_ = false;
  cancelRequested_ = false;
  if (Ended) Ended(end);
}
