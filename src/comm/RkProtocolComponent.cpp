#include "comm/RkProtocolComponent.h"

#include "comm/RkComm.h"

TRkComponent::~TRkComponent() { SetRkComm(nullptr); }

void TRkComponent::SetRkComm(TRkComm* port) {
  if (rkComm_ == port) return;
  if (rkComm_ != nullptr) rkComm_->Unbind(this);
  rkComm_ = port;
  if (rkComm_ != nullptr) rkComm_->Bind(this);
}

TRkProtocolComponent::~TRkProtocolComponent() { BeginDestruction(); }

void TRkProtocolComponent::BeginDestruction() {
  if (destroying_) return;
  destroying_ = true;
  // Nothing may start or be delivered for this component any more; the
  // port goes on with the requests of the others.
  if (RkComm() != nullptr) RkComm()->WithdrawRequests(this);
}

bool TRkProtocolComponent::PortOpen() const { return RkComm() != nullptr && RkComm()->Active(); }

void TRkProtocolComponent::Send() {
  if (!PortOpen() || destroying_) return;
  result_.clear();
  request_.Sender = this;
  request_.Frame = frame_;
  request_.TimeoutTime = timeoutTime_;
  // Switching a cyclic component off and on again while its exchange is
  // under way must not add a second entry: there would be two cycles from
  // then on.
  if (cyclic_ && queued_ > 0) return;
  if (RkComm()->QueueRequest(&request_) >= 0) ++queued_;
}

void TRkProtocolComponent::PortClosed() {
  queued_ = 0;
  lastReportedError_ = TCommError{};
}

void TRkProtocolComponent::DoCommResult(const TCommError& error, const FrameBuffer& data) {
  if (queued_ > 0) --queued_;
  if (!PortOpen() || destroying_) return;
  currentError_ = error;
  const std::size_t count = data[0];
  if (error.IsSuccess()) {
    if (count > 0) result_.insert(result_.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count));
    if (OnCommResult) OnCommResult(*this, result_);
  }
  // An event handler may have closed the port or re-sent; both are fine,
  // the edge memory below belongs to this component alone.
  if (!(currentError_ == lastReportedError_)) {
    lastReportedError_ = currentError_;
    result_.clear();
    if (count > 0) result_.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count));
    TCommError reported = currentError_;
    if (OnCommError && !destroying_) OnCommError(*this, reported, result_);
  }
  if (cyclic_)
    Send();
  else
    lastReportedError_ = TCommError{};
}

void TRkProtocolComponent::DoReceiveData(const FrameBuffer&, const FrameBuffer&, bool& continuation) {
  continuation = false;
}

void TRkProtocolComponent::SetCyclic(bool value) {
  if (destroying_) return;
  if (PortOpen()) {
    cyclic_ = value;
    if (value) {
      if (OnActivate) OnActivate(*this);
      Send();
    } else {
      FireDeactivate();
    }
    return;
  }
  cyclic_ = false;
  FireDeactivate();
}

void TRkProtocolComponent::FireDeactivate() {
  if (OnDeactivate && !destroying_) OnDeactivate(*this);
}

void TRkProtocolComponent::SetFrameByte(std::size_t index, std::uint8_t value) {
  if (index < kFrameSize) frame_[index] = value;
}
