#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "comm/ExchangeIo.h"

class MainThreadInvoker;
class SerialPort;

// One exchange as the worker runs it: a copy of the request and the two
// routines that reach its component. Both routines run on the UI thread
// (the worker blocks until each has returned); the port decides there
// whether the component still exists.
struct ExchangeJob {
  ProtocolKind kind = ProtocolKind::None;
  ExchangeRequest request;
  std::function<void(const FrameBuffer& data, const FrameBuffer& frame, bool& continuation)> handOver;
  std::function<void(const TCommError& error, const FrameBuffer& data)> deliver;
};

// The background thread of an open port. It runs one job at a time: writes
// the request's frame, reads the reply byte by byte under the time-outs
// (first byte: the request's time-out; every later byte: 50 ms), and hands
// received bytes, the outcome and "this exchange is over" to the UI thread,
// blocking until each hand-over has run.
//
// The worker knows neither the port component nor the protocol components:
// it sees the serial port, the port's open flag and the job's routines.
class TRkCommThread : private ExchangeIo {
public:
  // exchangeDone runs on the UI thread after each delivered outcome; the
  // port hands the next job over from there.
  TRkCommThread(std::shared_ptr<SerialPort> port, MainThreadInvoker& invoker, const std::atomic<bool>& portOpen,
                std::function<void()> exchangeDone);
  ~TRkCommThread() override;
  TRkCommThread(const TRkCommThread&) = delete;
  TRkCommThread& operator=(const TRkCommThread&) = delete;

  // UI thread: hands a job over (a job without a kind clears the current one).
  void StartJob(ExchangeJob job);
  // UI thread: the worker ends at its next check; the current exchange
  // delivers nothing.
  void Terminate();
  bool Finished() const { return finished_; }

private:
  void Run();
  bool WaitForJob(ExchangeJob& job);
  void RunExchange(const ExchangeJob& job);
  void PaceAfterFailure();
  void DiscardUntilQuiet();

  // ExchangeIo
  bool Terminated() const override { return terminate_; }
  TCommError& Error() override { return error_; }
  FrameBuffer& Buffer() override { return buffer_; }
  void SendFrame(const std::uint8_t* bytes, std::size_t count) override;
  bool ReadOneByte(std::uint8_t& byte) override;
  bool Drain() override;
  void PurgeInput() override;
  void ExpectStrayBytes() override { awaitQuiet_ = true; }
  void EndedBeforeSilence() override { checkQuiet_ = true; }
  void HandOver(bool& continuation) override;
  void HandOverWithOutcome(bool continuation) override;
  std::int64_t NowMs() const override;

  bool CheckPort();
  bool PortCall(int error);
  bool ClearLineErrors();

  std::shared_ptr<SerialPort> port_;
  MainThreadInvoker& invoker_;
  const std::atomic<bool>& portOpen_;
  std::function<void()> exchangeDone_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool pending_ = false;  // guarded by mutex_
  ExchangeJob job_;       // guarded by mutex_
  std::atomic<bool> terminate_{false};
  std::atomic<bool> finished_{false};

  // Worker thread only (and the UI thread inside a blocking hand-over).
  ExchangeJob current_;
  FrameBuffer buffer_{};
  TCommError error_{};
  int firstByteTimeoutMs_ = 100;
  int readTimeoutMs_ = 100;
  // The last exchange ended because the device did not answer in time, or
  // with a line that was not its reply: more may still come, and must not
  // be taken for the next reply.
  bool awaitQuiet_ = false;
  bool checkQuiet_ = false;  // the last reply ended at its line end
  // The exchange buffer holds the reply's last bytes, handed over with the
  // outcome (the value is the continuation flag of that hand-over).
  std::optional<bool> handOverWithOutcome_;

  std::thread thread_;  // last: starts after everything above exists
};
