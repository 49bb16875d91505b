#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "comm/ExchangeIo.h"
#include "comm/RkProtocolComponent.h"

class MainThreadInvoker;
class SerialPort;
class TRkComm;

// The background thread of an open port. It runs one exchange at a time:
// writes the request's frame, reads the reply byte by byte under the
// time-outs (first byte: the request's time-out, 100 ms when 0; every later
// byte: 50 ms), and hands received bytes, the outcome and "start the next
// request" to the UI thread, blocking until each hand-over has run.
//
// The worker thread never touches a component: it works on a copy of the
// request taken when the exchange starts. The requesting component is known
// on the UI thread only, so a component may be destroyed at any time.
class TRkCommThread : private ExchangeIo {
public:
  TRkCommThread(TRkComm& owner, std::shared_ptr<SerialPort> port, MainThreadInvoker& invoker);
  ~TRkCommThread() override;
  TRkCommThread(const TRkCommThread&) = delete;
  TRkCommThread& operator=(const TRkCommThread&) = delete;

  // UI thread: hands a request over (null clears the current one).
  void StartRequest(const TCommRequest* request);
  // UI thread: the worker ends at its next check; the current exchange
  // delivers nothing.
  void Terminate();
  bool Finished() const { return finished_; }
  // UI thread: the component is going away; deliver nothing to it.
  void ForgetSender(const TRkProtocolComponent* component);

private:
  struct Job {
    ProtocolKind kind = ProtocolKind::None;
    ExchangeRequest request;
  };

  void Run();
  bool WaitForJob(Job& job);
  void RunExchange(const Job& job);
  void DeliverResult();

  // ExchangeIo
  bool Terminated() const override { return terminate_; }
  TCommError& Error() override { return error_; }
  FrameBuffer& Buffer() override { return buffer_; }
  void SendFrame(const std::uint8_t* bytes, std::size_t count) override;
  bool ReadOneByte(std::uint8_t& byte) override;
  bool Drain() override;
  void HandOver(bool& continuation) override;

  void PaceAfterFailure();

  bool CheckPort();
  bool PortCall(int error);
  bool ClearLineErrors();

  TRkComm& owner_;
  std::shared_ptr<SerialPort> port_;
  MainThreadInvoker& invoker_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool pending_ = false;  // guarded by mutex_
  Job job_;               // guarded by mutex_
  std::atomic<bool> terminate_{false};
  std::atomic<bool> finished_{false};

  // UI thread only.
  TRkProtocolComponent* sender_ = nullptr;

  // Worker thread only (and the UI thread inside a blocking hand-over).
  FrameBuffer buffer_{};
  FrameBuffer frameCopy_{};
  TCommError error_{};
  int firstByteTimeoutMs_ = 100;
  int readTimeoutMs_ = 100;

  std::thread thread_;  // last: starts after everything above exists
};
