#include "VirtualSerial.h"

#include <cerrno>
#include <chrono>

void VirtualDevice::SetResponder(Responder responder) {
  std::lock_guard lock(mutex_);
  responder_ = std::move(responder);
}

void VirtualDevice::Expect(std::string request, VirtualReply reply) {
  std::lock_guard lock(mutex_);
  expectations_.emplace_back(std::move(request), std::move(reply));
}

void VirtualDevice::Push(std::string bytes, int afterMs, std::uint32_t lineErrors) {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    incoming_.push_back({nowMs_ + afterMs, static_cast<std::uint8_t>(bytes[i]), i == 0 ? lineErrors : 0u});
  changed_.notify_all();
}

void VirtualDevice::FailNext(VirtualCall call, int error, int count) {
  std::lock_guard lock(mutex_);
  failures_[call] = {error, count};
}

void VirtualDevice::SetOpenError(int error) {
  std::lock_guard lock(mutex_);
  openError_ = error;
}

void VirtualDevice::Disconnect() {
  std::lock_guard lock(mutex_);
  disconnected_ = true;
  changed_.notify_all();
}

void VirtualDevice::Reconnect() {
  std::lock_guard lock(mutex_);
  disconnected_ = false;
}

void VirtualDevice::Release() {
  std::lock_guard lock(mutex_);
  holding_ = false;
  changed_.notify_all();
}

void VirtualDevice::AdvanceMs(int ms) {
  std::lock_guard lock(mutex_);
  nowMs_ += ms;
}

std::int64_t VirtualDevice::NowMs() const {
  std::lock_guard lock(mutex_);
  return nowMs_;
}

std::vector<std::string> VirtualDevice::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::size_t VirtualDevice::RequestCount() const {
  std::lock_guard lock(mutex_);
  return requests_.size();
}

LineSettings VirtualDevice::Settings() const {
  std::lock_guard lock(mutex_);
  return settings_;
}

int VirtualDevice::ApplyCount() const {
  std::lock_guard lock(mutex_);
  return applyCount_;
}

bool VirtualDevice::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool VirtualDevice::WaitForRequests(std::size_t n, int timeoutMs) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return requests_.size() >= n; });
}

int VirtualDevice::TakeFailure(VirtualCall call) {
  // Closing the handle of a vanished device still succeeds.
  if (disconnected_ && call != VirtualCall::Close) return EIO;
  const auto it = failures_.find(call);
  if (it == failures_.end()) return 0;
  const int error = it->second.first;
  if (--it->second.second <= 0) failures_.erase(it);
  return error;
}

void VirtualDevice::Schedule(const VirtualReply& reply) {
  if (reply.hold) holding_ = true;
  for (const auto& burst : reply.bursts)
    for (std::size_t i = 0; i < burst.bytes.size(); ++i)
      incoming_.push_back({nowMs_ + burst.afterMs, static_cast<std::uint8_t>(burst.bytes[i]),
                           i == 0 ? burst.lineErrors : 0u});
}

VirtualSerialPort::VirtualSerialPort(std::shared_ptr<VirtualDevice> device) : device_(std::move(device)) {}

VirtualSerialPort::~VirtualSerialPort() { Close(); }

int VirtualSerialPort::Simple(VirtualCall call) {
  std::lock_guard lock(device_->mutex_);
  if (closed_) return EBADF;
  return device_->TakeFailure(call);
}

int VirtualSerialPort::ReadState() { return Simple(VirtualCall::ReadState); }

int VirtualSerialPort::ApplySettings(const LineSettings& settings) {
  std::lock_guard lock(device_->mutex_);
  if (closed_) return EBADF;
  if (const int error = device_->TakeFailure(VirtualCall::ApplySettings); error != 0) return error;
  device_->settings_ = settings;
  ++device_->applyCount_;
  return 0;
}

int VirtualSerialPort::Purge() {
  std::lock_guard lock(device_->mutex_);
  if (closed_) return EBADF;
  if (const int error = device_->TakeFailure(VirtualCall::Purge); error != 0) return error;
  // Only what has arrived by now is discarded; later bursts are still on
  // their way.
  auto& incoming = device_->incoming_;
  while (!incoming.empty() && incoming.front().atMs <= device_->nowMs_) incoming.pop_front();
  device_->pendingLineErrors_ = 0;
  return 0;
}

int VirtualSerialPort::WriteAll(const std::uint8_t* data, std::size_t size) {
  VirtualDevice::Responder responder;
  std::string request(reinterpret_cast<const char*>(data), size);
  VirtualReply reply;
  bool matched = false;
  {
    std::lock_guard lock(device_->mutex_);
    if (closed_) return EBADF;
    if (const int error = device_->TakeFailure(VirtualCall::Write); error != 0) return error;
    auto& expectations = device_->expectations_;
    for (auto it = expectations.begin(); it != expectations.end(); ++it) {
      if (it->first == request) {
        reply = std::move(it->second);
        expectations.erase(it);
        matched = true;
        break;
      }
    }
    if (!matched) responder = device_->responder_;
  }
  // The responder is test code and may call back into the device.
  if (!matched && responder) reply = responder(request);
  // The request becomes visible together with its reply, so a test that
  // waits for the request sees the reply (or hold) in place.
  std::lock_guard lock(device_->mutex_);
  device_->requests_.push_back(std::move(request));
  device_->Schedule(reply);
  device_->changed_.notify_all();
  return 0;
}

int VirtualSerialPort::Flush() { return Simple(VirtualCall::Flush); }

ReadResult VirtualSerialPort::ReadByte(int timeoutMs) {
  std::unique_lock lock(device_->mutex_);
  if (closed_) return {ReadStatus::Error, 0, EBADF};
  if (const int error = device_->TakeFailure(VirtualCall::Read); error != 0) return {ReadStatus::Error, 0, error};
  if (device_->cancelled_) return {ReadStatus::Timeout, 0, 0};
  if (device_->holding_) {
    device_->changed_.wait(lock, [&] { return !device_->holding_ || device_->cancelled_ || device_->disconnected_; });
    if (device_->disconnected_) return {ReadStatus::Error, 0, EIO};
    return {ReadStatus::Timeout, 0, 0};
  }
  auto& incoming = device_->incoming_;
  if (!incoming.empty() && incoming.front().atMs <= device_->nowMs_ + timeoutMs) {
    const VirtualDevice::Incoming next = incoming.front();
    incoming.pop_front();
    if (next.atMs > device_->nowMs_) device_->nowMs_ = next.atMs;
    device_->pendingLineErrors_ |= next.lineErrors;
    return {ReadStatus::Byte, next.byte, 0};
  }
  device_->nowMs_ += timeoutMs;
  return {ReadStatus::Timeout, 0, 0};
}

int VirtualSerialPort::TakeLineErrors(std::uint32_t& flags) {
  std::lock_guard lock(device_->mutex_);
  flags = 0;
  if (closed_) return EBADF;
  if (const int error = device_->TakeFailure(VirtualCall::LineErrors); error != 0) return error;
  flags = device_->pendingLineErrors_;
  device_->pendingLineErrors_ = 0;
  return 0;
}

void VirtualSerialPort::CancelWait() {
  std::lock_guard lock(device_->mutex_);
  device_->cancelled_ = true;
  device_->changed_.notify_all();
}

int VirtualSerialPort::Close() {
  std::lock_guard lock(device_->mutex_);
  if (closed_) return 0;
  closed_ = true;
  device_->open_ = false;
  device_->holding_ = false;
  device_->changed_.notify_all();
  return device_->TakeFailure(VirtualCall::Close);
}

std::int64_t VirtualSerialPort::NowMs() const { return device_->NowMs(); }

std::shared_ptr<VirtualDevice> VirtualSerialBackend::Attach(TPort port) {
  std::lock_guard lock(mutex_);
  auto& device = devices_[port];
  if (!device) device = std::make_shared<VirtualDevice>();
  return device;
}

std::shared_ptr<SerialPort> VirtualSerialBackend::Open(TPort port, int& error) {
  std::shared_ptr<VirtualDevice> device;
  {
    std::lock_guard lock(mutex_);
    const auto it = devices_.find(port);
    if (it == devices_.end()) {
      error = ENOENT;
      return nullptr;
    }
    device = it->second;
  }
  std::lock_guard lock(device->mutex_);
  if (device->openError_ != 0 || device->disconnected_) {
    error = device->openError_ != 0 ? device->openError_ : ENODEV;
    return nullptr;
  }
  if (device->open_) {
    error = EBUSY;
    return nullptr;
  }
  device->open_ = true;
  device->cancelled_ = false;
  device->holding_ = false;
  device->incoming_.clear();
  error = 0;
  return std::make_shared<VirtualSerialPort>(device);
}
