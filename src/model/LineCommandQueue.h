#pragma once

#include <deque>
#include <string>

#include "comm/QL200Protocol.h"

// Commands for one line component, sent one after the other. A component
// has a single request record, so a second Send while its first exchange
// still waits in the port's queue would overwrite that command: the first
// would never reach the device and the second would go twice. This queue
// keeps every command and sends the next when the component's exchange has
// ended.
class LineCommandQueue {
public:
  explicit LineCommandQueue(TQL200Protocol& component) : component_(component) {}

  // Sends `command` now when nothing is under way, else after the commands
  // before it. Nothing is sent (or kept) while the port is closed.
  void Send(const std::string& command);
  // The component's exchange ended (its result or failure handler runs):
  // the next waiting command goes out.
  void Finished();
  // Forgets the waiting commands and the exchange under way (a new
  // activation of the window; a closed port reports nothing).
  void Clear();

  bool Busy() const { return busy_; }
  std::size_t Waiting() const { return waiting_.size(); }

private:
  bool PortOpen() const;
  void SendNow(const std::string& command);

  TQL200Protocol& component_;
  std::deque<std::string> waiting_;
  bool busy_ = false;
};
