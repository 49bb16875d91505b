#pragma once

#include <cstdint>
#include <functional>

#include "comm/FrameBuffer.h"
#include "comm/RkGlobal.h"

class TRkComm;
class TRkProtocolComponent;
struct ExchangeRequest;

// The one request record of a protocol component; the port's queue refers
// to it. The worker copies it when the exchange starts.
struct TCommRequest {
  TRkProtocolComponent* Sender = nullptr;
  FrameBuffer Frame{};
  std::int32_t TimeoutTime = 0;
  bool QuietFirst = false;  // this exchange waits for a quiet line before it sends
};

// A component bound to a port. The port keeps a list of the components
// bound to it, in binding order, and unbinds them when it is destroyed.
class TRkComponent {
public:
  TRkComponent() = default;
  virtual ~TRkComponent();
  TRkComponent(const TRkComponent&) = delete;
  TRkComponent& operator=(const TRkComponent&) = delete;

  TRkComm* RkComm() const { return rkComm_; }
  void SetRkComm(TRkComm* port);

  virtual TRkProtocolComponent* AsProtocolComponent() { return nullptr; }

private:
  TRkComm* rkComm_ = nullptr;
};

// A component that exchanges requests with the device through its port:
// Send queues the transmit frame; the outcome arrives on the UI thread as
// OnCommResult (success) or OnCommError.
//
// Error events are edge-triggered: a failure is reported when it differs
// from the last one reported. A cyclic component reports a repeated failure
// once and, at the first success afterwards, fires OnCommResult followed by
// OnCommError with an all-zero record.
class TRkProtocolComponent : public TRkComponent {
public:
  using NotifyEvent = std::function<void(TRkProtocolComponent& sender)>;
  using CommResultEvent = std::function<void(TRkProtocolComponent& sender, const ResultBytes& result)>;
  using CommErrorEvent =
      std::function<void(TRkProtocolComponent& sender, TCommError& error, const ResultBytes& result)>;

  TRkProtocolComponent() = default;
  ~TRkProtocolComponent() override;

  TRkProtocolComponent* AsProtocolComponent() override { return this; }
  virtual ProtocolKind Kind() const = 0;
  // Adds what the concrete protocol's exchange needs to the worker's copy.
  virtual void DescribeExchange(ExchangeRequest&) const {}

  // Queues the transmit frame on the port. Nothing happens (and nothing is
  // reported) when the component is unbound or the port is closed.
  virtual void Send();
  // Run on the UI thread once per exchange with its outcome and the
  // exchange buffer (byte 0 = count of the bytes that follow).
  virtual void DoCommResult(const TCommError& error, const FrameBuffer& data);
  // Run on the UI thread when the worker hands over received bytes.
  virtual void DoReceiveData(const FrameBuffer& data, const FrameBuffer& frame, bool& continuation);

  bool Cyclic() const { return cyclic_; }
  // True: fires OnActivate and sends at once; every finished exchange then
  // queues the next one. False: fires OnDeactivate. On a closed or missing
  // port Cyclic stays false and OnDeactivate fires.
  void SetCyclic(bool value);

  void SetFrameByte(std::size_t index, std::uint8_t value);
  const FrameBuffer& TransmitFrame() const { return frame_; }
  std::int32_t TimeoutTime() const { return timeoutTime_; }
  void SetTimeoutTime(std::int32_t ms) { timeoutTime_ = ms; }

  const ResultBytes& Result() const { return result_; }
  const TCommError& CurrentError() const { return currentError_; }
  TCommRequest& Request() { return request_; }
  // The next exchange first waits until the line has been quiet for 50 ms:
  // for a resend after a bad reply, whose rest (a reply cut by a pause)
  // would otherwise run into the answer to the command sent again.
  void QuietBeforeNextSend() { request_.QuietFirst = true; }
  bool Destroying() const { return destroying_; }
  // The port was closed: its queue is gone and a device that is still
  // silent after reopening must be reported again.
  void PortClosed();

  NotifyEvent OnActivate;
  NotifyEvent OnDeactivate;
  CommResultEvent OnCommResult;
  CommErrorEvent OnCommError;

protected:
  ResultBytes& MutableResult() { return result_; }

private:
  void BeginDestruction();
  bool PortOpen() const;
  void FireDeactivate();

  bool cyclic_ = false;
  bool destroying_ = false;
  // Entries of this component in the port's queue (waiting or running); a
  // cyclic component queues no second one, since each outcome queues the next.
  int queued_ = 0;
  FrameBuffer frame_{};
  std::int32_t timeoutTime_ = 0;
  ResultBytes result_;
  TCommError currentError_{};
  TCommError lastReportedError_{};
  TCommRequest request_{};
};
