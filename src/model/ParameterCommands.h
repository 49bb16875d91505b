#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "comm/QL200Protocol.h"
#include "model/CommandChain.h"
#include "model/ServiceInput.h"
#include "model/ValueTransfer.h"

// The single exchanges of the service window and the loader: one parameter
// written ("wp n v"), or the device asked to compute and take over its
// parameters ("bp"). Each is one step on a CommandChain; its reply is
// classified and handed back once. An answer that is no answer is shown,
// not sent again: the person decides what to do next.
class ParameterCommands {
public:
  // `write` sends "wp", `compute` sends "bp"; either may be null when the
  // window has no use for it. The commands take over their events.
  ParameterCommands(TQL200Protocol* write, TQL200Protocol* compute);

  void Write(int number, std::int32_t value);
  void Compute();

  std::function<void(WriteReply)> OnWritten;
  std::function<void(const ComputeResult&)> OnComputed;
  std::function<void(const TCommError&)> OnFailure;

private:
  void Run(TQL200Protocol* component, std::string command);
  void Reply(const ResultBytes& reply);

  TQL200Protocol* writeComponent_;
  TQL200Protocol* computeComponent_;
  std::unique_ptr<CommandChain> chain_;
  std::optional<CommandChain::Command> command_;
  bool computing_ = false;
};
