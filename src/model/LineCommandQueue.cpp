#include "model/LineCommandQueue.h"

#include "comm/RkComm.h"
#include "model/LineCommand.h"

bool LineCommandQueue::PortOpen() const { return component_.RkComm() != nullptr && component_.RkComm()->Active(); }

void LineCommandQueue::SendNow(const std::string& command) {
  SendCommand(component_, command);
  busy_ = true;
}

void LineCommandQueue::Send(const std::string& command) {
  // A closed port would never report the exchange, and the queue would
  // wait for it for ever.
  if (!PortOpen()) {
    Clear();
    return;
  }
  if (busy_)
    waiting_.push_back(command);
  else
    SendNow(command);
}

void LineCommandQueue::Finished() {
  busy_ = false;
  if (waiting_.empty()) return;
  if (!PortOpen()) {
    Clear();
    return;
  }
  const std::string next = waiting_.front();
  waiting_.pop_front();
  SendNow(next);
}

void LineCommandQueue::Clear() {
  waiting_.clear();
  busy_ = false;
}
