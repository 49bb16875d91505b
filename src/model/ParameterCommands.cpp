#include "model/ParameterCommands.h"

#include "model/ValueTransfer.h"

ParameterCommands::ParameterCommands(TQL200Protocol* write, TQL200Protocol* compute)
    : writeComponent_(write), computeComponent_(compute) {
  std::vector<TQL200Protocol*> components;
  for (TQL200Protocol* c : {write, compute})
    if (c != nullptr) components.push_back(c);
  chain_ = std::make_unique<CommandChain>(components);
  chain_->NextCommand = [this](std::size_t step) {
    return step == 0 ? command_ : std::nullopt;
  };
  chain_->Accepted = [this](std::size_t, const ResultBytes& reply) { Reply(reply); };
  chain_->Ended = [this](const CommandChain::End& end) {
    if (end.outcome == CommandChain::Outcome::Failed && OnFailure) OnFailure(end.error);
  };
}

void ParameterCommands::Write(int number, std::int32_t value) {
  computing_ = false;
  DeviceContent send;
  send.parameters[static_cast<std::size_t>(number)] = value;
  Run(writeComponent_, TransferCommand({TransferPhase::Parameters, number}, true, send));
}

void ParameterCommands::Compute() {
  computing_ = true;
  Run(computeComponent_, TransferCommand({TransferPhase::Computing, 0}, true, {}));
}

void ParameterCommands::Run(TQL200Protocol* component, std::string command) {
  command_ = CommandChain::Command{component, std::move(command)};
  chain_->Start();
}

void ParameterCommands::Reply(const ResultBytes& reply) {
  if (computing_) {
    if (OnComputed) OnComputed(CheckComputeReply(std::string(reply.begin(), reply.end())));
  } else if (OnWritten) {
    OnWritten(CheckWriteReply(std::string(reply.begin(), reply.end())));
  }
}
