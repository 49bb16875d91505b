#include "model/ErrorPoll.h"

#include "comm/RkComm.h"
#include "model/DeviceReply.h"
#include "model/LineCommand.h"

bool IsNoError(const std::string& value) { return value.empty() || value.rfind("-1", 0) == 0; }

std::string ErrorPanelText(const std::string& value) { return IsNoError(value) ? "" : "VQ2... Error: " + value; }

const std::string& ActivityDots::Advance() {
  if (text_ == ". . . . . . ") text_.clear();
  text_ += ". ";
  return text_;
}

ErrorNumberPoll::ErrorNumberPoll(TRkComm& port, const PollingPause& pause) : port_(port), pause_(pause) {
  WireLineCommand(readError_, &port, 0, [this](const ResultBytes& r) { Reply(r); },
                  [this](const TCommError& e) {
                    outstanding_ = false;
                    if (OnFailure) OnFailure(e);
                  });
  readError_.SingleLineReplies = true;
}

void ErrorNumberPoll::Tick() {
  if (!port_.Active() || pause_.Active() || outstanding_) return;
  outstanding_ = true;
  SendCommand(readError_, "rf");
}

void ErrorNumberPoll::Reply(const ResultBytes& reply) {
  outstanding_ = false;
  if (!EchoesCommand(reply, "rf") || !OnReply) return;
  const std::string value = ReplyValue(reply);
  if (IsNoError(value)) {
    OnReply("", dots_.Text());
    return;
  }
  const std::string errorText = ErrorPanelText(value);
  OnReply(errorText, dots_.Advance());
}
