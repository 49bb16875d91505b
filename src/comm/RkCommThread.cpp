#include "comm/RkCommThread.h"

#include "comm/MainThreadInvoker.h"
#include "comm/RkComm.h"
#include "comm/SerialApi.h"

namespace {

constexpr int kInterByteTimeoutMs = 50;
constexpr int kDefaultFirstByteTimeoutMs = 100;
constexpr int kDrainLimit = 512;

}  // namespace

TRkCommThread::TRkCommThread(TRkComm& owner, std::shared_ptr<SerialPort> port, MainThreadInvoker& invoker)
    : owner_(owner), port_(std::move(port)), invoker_(invoker), thread_([this] { Run(); }) {}

TRkCommThread::~TRkCommThread() {
  Terminate();
  if (thread_.joinable()) thread_.join();
}

void TRkCommThread::StartRequest(const TCommRequest* request) {
  std::lock_guard lock(mutex_);
  pending_ = false;
  sender_ = nullptr;
  if (request != nullptr && request->Sender != nullptr) {
    sender_ = request->Sender;
    Job job;
    job.kind = sender_->Kind();
    job.request.frame = request->Frame;
    job.request.firstByteTimeoutMs = request->TimeoutTime > 0 ? request->TimeoutTime : kDefaultFirstByteTimeoutMs;
    sender_->DescribeExchange(job.request);
    job_ = job;
    pending_ = true;
  }
  wake_.notify_all();
}

void TRkCommThread::Terminate() {
  terminate_ = true;
  StartRequest(nullptr);
}

void TRkCommThread::ForgetSender(const TRkProtocolComponent* component) {
  if (sender_ == component) sender_ = nullptr;
}

bool TRkCommThread::WaitForJob(Job& job) {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return pending_ || terminate_; });
  if (terminate_) return false;
  job = job_;
  return true;
}

void TRkCommThread::Run() {
  Job job;
  while (WaitForJob(job)) {
    if (job.kind == ProtocolKind::None) {
      std::lock_guard lock(mutex_);
      pending_ = false;
      continue;
    }
    RunExchange(job);
    if (terminate_) break;
    if (error_.Code == ceSystemError) PaceAfterFailure();
    if (terminate_) break;
    {
      std::lock_guard lock(mutex_);
      pending_ = false;
    }
    DeliverResult();
    if (terminate_) break;
    invoker_.RunAndWait([this] {
      if (!terminate_) owner_.RequestDone();
    });
  }
  finished_ = true;
  invoker_.Wake();
}

void TRkCommThread::RunExchange(const Job& job) {
  error_ = TCommError{};
  buffer_.fill(0);
  frameCopy_ = job.request.frame;
  firstByteTimeoutMs_ = job.request.firstByteTimeoutMs;
  readTimeoutMs_ = firstByteTimeoutMs_;
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

void TRkCommThread::DeliverResult() {
  invoker_.RunAndWait([this] {
    if (sender_ != nullptr && !sender_->Destroying()) sender_->DoCommResult(error_, buffer_);
  });
}

void TRkCommThread::HandOver(bool& continuation) {
  invoker_.RunAndWait([this, &continuation] {
    if (sender_ != nullptr && !sender_->Destroying()) sender_->DoReceiveData(buffer_, frameCopy_, continuation);
  });
}

bool TRkCommThread::CheckPort() {
  if (owner_.Active()) return true;
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

void TRkCommThread::SendFrame(const std::uint8_t* bytes, std::size_t count) {
  if (terminate_ || !CheckPort()) return;
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
