#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "comm/QL200Protocol.h"

// Sends one command after another and checks every reply before its value
// is used. The read and write runs (ValueTransfer) are built on it; any
// other sequence of exchanges that needs resending, Stop, Cancel or Again
// can be too.
//
// The user of a chain says, through its routines, which command each step
// sends, what a reply means and what to do with an accepted one. The chain
// resends a command once after an invalid reply (once the line is quiet, so
// the rest of a reply cut by a pause cannot spoil the answer), stops at the
// second, at a refusal or at a failed exchange, and honours Stop, Cancel and
// Again between two steps: a request made while an exchange is under way
// takes effect when its reply (or failure) arrives.
class CommandChain {
public:
  // What a reply (or a failure) means for its step.
  enum class Verdict {
    Accept,   // use it (Accepted runs), go on with the next step
    Skip,     // go on with the next step without using it
    Invalid,  // not a reply to this command: resend once, then stop
    Refused,  // the device refused the command: stop
  };
  enum class Outcome { Completed, Stopped, Cancelled, Invalid, Refused, Failed };

  struct Command {
    TQL200Protocol* component = nullptr;
    std::string text;
  };
  struct End {
    Outcome outcome = Outcome::Completed;
    std::size_t step = 0;  // the step that ended the chain (for Completed: the number of steps)
    ResultBytes reply;     // Invalid, Refused: the reply that stopped it
    TCommError error;      // Failed: the failure
  };

  // The chain takes over the result and failure events of these components.
  explicit CommandChain(std::vector<TQL200Protocol*> components);
  CommandChain(const CommandChain&) = delete;
  CommandChain& operator=(const CommandChain&) = delete;

  // The command of a step, or none when the chain is complete.
  std::function<std::optional<Command>(std::size_t step)> NextCommand;
  // What a reply means (default: Accept).
  std::function<Verdict(std::size_t step, const ResultBytes& reply)> CheckReply;
  // What a failure means (default: Refused, i.e. the chain stops with Failed).
  std::function<Verdict(std::size_t step, const TCommError& error)> CheckFailure;
  std::function<void(std::size_t step, const ResultBytes& reply)> Accepted;
  std::function<void(const End& end)> Ended;

  // Starts (or starts again) at `step`.
  void Start(std::size_t step = 0);
  // Goes on after a Stop with the step that was next.
  void Continue();
  void RequestStop();
  void RequestCancel();
  // The port closed under the exchange under way: nothing will answer it.
  // The chain ends without an outcome; its user says what that means.
  void Abandon() { running_ = false; }

  bool Running() const { return running_; }
  std::size_t Step() const { return step_; }
  bool Retried() const { return retried_; }
  bool CancelRequested() const { return cancelRequested_; }

private:
  void Reply(const ResultBytes& reply);
  void Failure(const TCommError& error);
  void Advance();
  void SendStep();
  void Finish(End end);
  bool TakeCancel();

  std::optional<Command> current_;
  std::size_t step_ = 0;
  bool running_ = false;
  bool retried_ = false;
  bool stopRequested_ = false;
  bool cancelRequested_ = false;
};
