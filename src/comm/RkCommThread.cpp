#include "comm/RkCommThread.h"

#include "comm/MainThreadInvoker.h"
#include "comm/SerialApi.h"

#include <utility>

namespace {

constexpr int kInterByteTimeoutMs = 50;
constexpr int kDrainLimit = 512;

}  // namespace

TRkCommThread::TRkCommThread(std::shared_ptr<SerialPort> port, MainThreadInvoker& invoker,
                             const std::atomic<bool>& portOpen, std::function<void()> exchangeDone)
    : port_(std::move(port)), invoker_(invoker), portOpen_(portOpen), exchangeDone_(std::move(exchangeDone)),
      thread_([this] { Run(); }) {}

TRkCommThread::~TRkCommThread() {
  Terminate();
  if (thread_.joinable()) thread_.join();
}

void TRkCommThread::StartJob(ExchangeJob job) {
  std::lock_guard lock(mutex_);
  pending_ = job.kind != ProtocolKind::None;
  job_ = std::move(job);
  wake_.notify_all();
}

void TRkCommThread::Terminate() {
  terminate_ = true;
  StartJob({});
}

bool TRkCommThread::WaitForJob(ExchangeJob& job) {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return pending_ || terminate_; });
  if (terminate_) return false;
  job = job_;
  return true;
}

void TRkCommThread::Run() {
  while (WaitForJob(current_)) {
    RunExchange(current_);
    if (terminate_) break;
    if (error_.Code == ceTimeout) awaitQuiet_ = true;
    const bool portFailed = error_.Code == ceSystemError;
    {
      std::lock_guard lock(mutex_);
      pending_ = false;
    }
    // The reply's last bytes (when they wait here), the outcome and the
    // start of the next exchange in one visit to the UI thread; a handler
    // that closed the port ends the worker in between. After a failed port
    // call the failure is shown at once (a pulled adapter within a blink)
    // and only the next exchange waits.
    invoker_.RunAndWait([this, portFailed] {
      if (handOverWithOutcome_) {
        bool continuation = *std::exchange(handOverWithOutcome_, std::nullopt);
        if (current_.handOver) current_.handOver(buffer_, current_.request.frame, continuation);
        buffer_[0] = 0;
      }
      if (current_.deliver) current_.deliver(error_, buffer_);
      if (!portFailed && !terminate_ && exchangeDone_) exchangeDone_();
    });
    if (terminate_ || !portFailed) continue;
    PaceAfterFailure();
    if (terminate_) break;
    invoker_.RunAndWait([this] {
      if (!terminate_ && exchangeDone_) exchangeDone_();
    });
  }
  current_ = {};
  finished_ = true;
  invoker_.Wake();
}

void TRkCommThread::RunExchange(const ExchangeJob& job) {
  error_ = TCommError{};
  handOverWithOutcome_.reset();
  buffer_.fill(0);
  firstByteTimeoutMs_ = job.request.firstByteTimeoutMs;
  readTimeoutMs_ = firstByteTimeoutMs_;
  if (job.request.quietFirst) awaitQuiet_ = true;
  switch (job.kind) {
    case ProtocolKind::QL200: RunQL200Exchange(*this, job.request); break;
    case ProtocolKind::Rk2: RunRk2Exchange(*this, job.request); break;
    case ProtocolKind::Zrx: RunZrxExchange(*this, job.request); break;
    case ProtocolKind::None: break;
  }
}

void TRkCommThread::PaceAfterFailure() {
  // A port that fails at once (a vanished USB adapter) would otherwise let a
  // cyclic component spin; a failure costs the time of a silent device.
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, std::chrono::milliseconds(firstByteTimeoutMs_), [this] { return terminate_.load(); });
}

void TRkCommThread::HandOver(bool& continuation) {
  invoker_.RunAndWait([this, &continuation] {
    if (current_.handOver) current_.handOver(buffer_, current_.request.frame, continuation);
  });
}

void TRkCommThread::HandOverWithOutcome(bool continuation) { handOverWithOutcome_ = continuation; }

std::int64_t TRkCommThread::NowMs() const { return port_->NowMs(); }

bool TRkCommThread::CheckPort() {
  if (portOpen_) return true;
  error_.Code = cePortClosed;
  return false;
}

bool TRkCommThread::PortCall(int error) {
  if (error == 0) return true;
  error_.Code = ceSystemError;
  error_.SystemError = static_cast<std::uint32_t>(error);
  return false;
}

bool TRkCommThread::ClearLineErrors() {
  std::uint32_t flags = 0;
  if (!PortCall(port_->TakeLineErrors(flags))) return false;
  if (flags == 0) return true;
  error_.Code = ceLineError;
  error_.CommErrors = flags;
  return false;
}

void TRkCommThread::DiscardUntilQuiet() {
  // A late reply is read and thrown away until the line has been silent for
  // the inter-byte time, so it costs one exchange instead of shifting every
  // later reply by one. A line that never falls silent is given up on after
  // as long as a reply may last.
  const std::int64_t start = port_->NowMs();
  for (std::size_t bytes = 0; bytes < AsciiReplyDecoder::kMaxReplyBytes && !terminate_; ++bytes) {
    if (port_->NowMs() - start >= AsciiReplyDecoder::kMaxReplyMs) break;
    if (port_->ReadByte(kInterByteTimeoutMs).status != ReadStatus::Byte) break;
  }
  std::uint32_t ignored = 0;
  port_->TakeLineErrors(ignored);
}

void TRkCommThread::SendFrame(const std::uint8_t* bytes, std::size_t count) {
  if (terminate_ || !CheckPort()) return;
  // A reply that ended at its line end may have more behind it: a byte
  // already there means the line is not quiet, and a purge would only drop
  // what has arrived so far.
  if (std::exchange(checkQuiet_, false) && !awaitQuiet_)
    awaitQuiet_ = port_->ReadByte(0).status == ReadStatus::Byte;
  if (awaitQuiet_) {
    awaitQuiet_ = false;
    DiscardUntilQuiet();
    if (terminate_ || !CheckPort()) return;
  }
  if (!ClearLineErrors()) return;
  readTimeoutMs_ = firstByteTimeoutMs_;
  if (!ClearLineErrors()) return;
  if (!PortCall(port_->Purge()) || !ClearLineErrors()) return;
  if (!PortCall(port_->WriteAll(bytes, count)) || !ClearLineErrors()) return;
  if (!PortCall(port_->Flush())) return;
  ClearLineErrors();
}

bool TRkCommThread::ReadOneByte(std::uint8_t& byte) {
  if (terminate_ || !CheckPort()) return false;
  if (!ClearLineErrors()) return false;
  const ReadResult result = port_->ReadByte(readTimeoutMs_);
  if (result.status == ReadStatus::Error) return PortCall(result.error);
  if (result.status == ReadStatus::Timeout) {
    error_.Code = ceTimeout;
    return false;
  }
  byte = result.byte;
  if (!ClearLineErrors()) return false;
  readTimeoutMs_ = kInterByteTimeoutMs;
  return true;
}

bool TRkCommThread::Drain() {
  if (terminate_) return false;
  if (!CheckPort()) return false;
  const TCommError saved = error_;
  std::uint8_t byte = 0;
  for (int i = 0; i < kDrainLimit && !terminate_; ++i)
    if (!ReadOneByte(byte)) break;
  const bool portClosed = error_.Code == cePortClosed;
  error_ = saved;
  if (portClosed) error_.Code = cePortClosed;
  return !portClosed && !terminate_;
}

void TRkCommThread::PurgeInput() {
  port_->Purge();
  std::uint32_t ignored = 0;
  port_->TakeLineErrors(ignored);
}
