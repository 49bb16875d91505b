#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "comm/QL200Protocol.h"
#include "model/PollingPause.h"

// The device's error number as the main window shows it.
// "-1" (or anything starting with it) and an empty value mean no error.
bool IsNoError(const std::string& value);
std::string ErrorPanelText(const std::string& value);  // "VQ2... Error: 12"

// The status bar's activity dots: ". " more for each error reply, starting
// again after six.
class ActivityDots {
public:
  const std::string& Advance();
  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

private:
  std::string text_;
};

// The once-a-second poll of the device's error number ("rf"), sent while
// the port is open and no window holds the polling pause.
class ErrorNumberPoll {
public:
  ErrorNumberPoll(TRkComm& port, const PollingPause& pause);

  void Tick();
  void PortClosed() {
    dots_.Clear();
    outstanding_ = false;
  }

  // A reply to the poll: the error panel's text ("" when there is no
  // error) and the dots (advanced only with an error).
  std::function<void(const std::string& errorText, const std::string& dots)> OnReply;
  std::function<void(const TCommError&)> OnFailure;

private:
  void Reply(const ResultBytes& reply);

  TRkComm& port_;
  const PollingPause& pause_;
  TQL200Protocol readError_;
  ActivityDots dots_;
  // A poll is under way: a slow line must not collect a queue of polls.
  bool outstanding_ = false;
};

// How long a communication failure stays readable: the next error-number
// reply would otherwise clear it a fraction of a second after it appeared.
// A new failure, or a reply the user asked for, replaces it at once.
class FailureTextHold {
public:
  static constexpr std::int64_t kHoldMs = 3000;
  void Shown(std::int64_t nowMs) {
    shownAt_ = nowMs;
    held_ = true;
  }
  void Cleared() { held_ = false; }
  bool PollMayClear(std::int64_t nowMs) const { return !held_ || nowMs - shownAt_ >= kHoldMs; }

private:
  std::int64_t shownAt_ = 0;
  bool held_ = false;
};
