#pragma once

#include <utility>

// Windows that must have the port to themselves (the transfers, the device
// search) hold a pause while they are shown; the main window's periodic
// error poll asks the pause before it sends, instead of looking at windows.
class PollingPause {
public:
  class Hold {
  public:
    explicit Hold(PollingPause& pause) : pause_(&pause) { ++pause_->holds_; }
    ~Hold() {
      if (pause_ != nullptr) --pause_->holds_;
    }
    Hold(Hold&& other) noexcept : pause_(std::exchange(other.pause_, nullptr)) {}
    Hold& operator=(Hold&&) = delete;
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    PollingPause* pause_;
  };

  Hold Acquire() { return Hold(*this); }
  bool Active() const { return holds_ > 0; }

private:
  int holds_ = 0;
};

// The one pause of the program's port.
PollingPause& SharedPollingPause();
