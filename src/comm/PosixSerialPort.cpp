#include "comm/PosixSerialPort.h"

#include "comm/LineTiming.h"
#include "comm/SystemSerial.h"
#include "comm/PosixBaud.h"
#include "comm/RkGlobal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

speed_t StandardSpeed(int baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
  }
}

}  // namespace

termios BuildRawTermios(const termios& original, const LineSettings& settings) {
  termios t = original;
  // Raw bytes in both directions. Software flow control would swallow
  // bytes of the binary protocols; hardware flow control stays as found.
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
  t.c_cflag |= settings.dataBits == TDataBit::db_7 ? CS7 : CS8;
  if (settings.parity != TParityBit::None) {
    t.c_cflag |= PARENB;
    if (settings.parity == TParityBit::Odd) t.c_cflag |= PARODD;
    t.c_iflag |= INPCK;
  }
  if (settings.stopBits == TStopBit::sb_2) t.c_cflag |= CSTOPB;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  return t;
}

bool IsVanishedDeviceError(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

int NoSuchPortError() { return ENODEV; }

int CancelledWaitError() { return ECANCELED; }

std::shared_ptr<SerialBackend> MakeSystemSerialBackend(std::shared_ptr<const PortPaths> paths) {
  return std::make_shared<PosixSerialBackend>(std::move(paths));
}

namespace {

class DevicePathBackend : public SerialBackend {
public:
  explicit DevicePathBackend(std::string path) : path_(std::move(path)) {}
  std::shared_ptr<SerialPort> Open(TPort, int& error) override { return PosixSerialPort::Open(path_, error); }

private:
  std::string path_;
};

}  // namespace

std::shared_ptr<SerialBackend> MakeDeviceSerialBackend(std::string device) {
  return std::make_shared<DevicePathBackend>(std::move(device));
}

std::string SystemPortLocation(const PortPaths& paths, TPort port) { return paths.Resolve(port); }

std::shared_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  // Exclusive: TIOCEXCL keeps other (non-root) openers out of the tty, flock
  // keeps out cooperating programs even when running as root.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(fd);
    return nullptr;
  }
  if (::ioctl(fd, TIOCEXCL) != 0) {
    error = errno;
    ::close(fd);
    return nullptr;
  }
  const int cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (cancelFd < 0) {
    error = errno;
    ::close(fd);
    return nullptr;
  }
  error = 0;
  return std::shared_ptr<PosixSerialPort>(new PosixSerialPort(fd, cancelFd));
}

PosixSerialPort::PosixSerialPort(int fd, int cancelFd) : fd_(fd), cancelFd_(cancelFd) {}

PosixSerialPort::~PosixSerialPort() { Close(); }

int PosixSerialPort::ReadState() {
  PortUsage::Use use(usage_);
  if (!use.ok()) return EBADF;
  termios current{};
  if (::tcgetattr(fd_, &current) != 0) return errno;
  original_ = current;
  haveOriginal_ = true;
  std::uint32_t counters[5];
  icountSupported_ = ReadIcount(counters) == 0;
  if (icountSupported_) std::copy(counters, counters + 5, lastCounts_);
  return 0;
}

int PosixSerialPort::ApplySettings(const LineSettings& settings) {
  PortUsage::Use use(usage_);
  if (!use.ok()) return EBADF;
  termios t = BuildRawTermios(original_, settings);
  const int baud = BaudrateValue(settings.baudrate);
  const speed_t speed = StandardSpeed(baud);
  if (speed != B0) {
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
  }
  if (::tcsetattr(fd_, TCSANOW, &t) != 0) return errno;
  if (speed == B0) {
    if (const int error = SetArbitraryBaud(fd_, baud); error != 0) return error;
  }
  baud_ = baud;
  return 0;
}

int PosixSerialPort::Purge() {
  PortUsage::Use use(usage_);
  if (!use.ok()) return EBADF;
  aheadNext_ = aheadEnd_ = 0;
  return ::tcflush(fd_, TCIOFLUSH) == 0 ? 0 : errno;
}

int PosixSerialPort::WaitWritable(int timeoutMs) {
  pollfd fds[2] = {{fd_, POLLOUT, 0}, {cancelFd_, POLLIN, 0}};
  const int n = ::poll(fds, 2, timeoutMs);
  if (n < 0) return errno == EINTR ? 0 : errno;
  if (n == 0) return ETIMEDOUT;
  if (fds[1].revents != 0 || cancelled_) return ECANCELED;
  if (fds[0].revents & POLLNVAL) return EBADF;
  if ((fds[0].revents & (POLLERR | POLLHUP)) && !(fds[0].revents & POLLOUT)) return EIO;
  return 0;
}

int PosixSerialPort::WriteAll(const std::uint8_t* data, std::size_t size) {
  PortUsage::Use use(usage_);
  if (!use.ok()) return EBADF;
  const auto deadline = Clock::now() + std::chrono::milliseconds(WriteLimitMs(size, baud_.load()));
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n > 0) {
      data += n;
      size -= static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return errno;
    if (Clock::now() >= deadline) return ETIMEDOUT;
    if (const int error = WaitWritable(RemainingMs(deadline)); error != 0) return error;
  }
  return 0;
}

int PosixSerialPort::Flush() {
  PortUsage::Use use(usage_);
  if (!use.ok()) return EBADF;
  // Wait until the output queue is empty, so the reply's time-out starts
  // when the command has left the port, but never longer than the bytes can
  // take; tcdrain() could block for ever on a stalled line.
  int queued = 0;
  if (::ioctl(fd_, TIOCOUTQ, &queued) != 0) return 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(50 + 2 * TransmitMs(static_cast<std::size_t>(queued), baud_.load()));
  while (queued > 0 && !cancelled_ && Clock::now() < deadline) {
    pollfd cancel{cancelFd_, POLLIN, 0};
    ::poll(&cancel, 1, 1);
    if (::ioctl(fd_, TIOCOUTQ, &queued) != 0) return 0;
  }
  return 0;
}

ReadResult PosixSerialPort::ReadByte(int timeoutMs) {
  PortUsage::Use use(usage_);
  if (!use.ok()) return {ReadStatus::Error, 0, EBADF};
  if (cancelled_) return {ReadStatus::Timeout, 0, 0};
  if (aheadNext_ < aheadEnd_) return {ReadStatus::Byte, ahead_[aheadNext_++], 0};
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (cancelled_) return {ReadStatus::Timeout, 0, 0};
    pollfd fds[2] = {{fd_, POLLIN, 0}, {cancelFd_, POLLIN, 0}};
    const int n = ::poll(fds, 2, RemainingMs(deadline));
    if (n < 0) {
      if (errno == EINTR) continue;
      return {ReadStatus::Error, 0, errno};
    }
    if (n == 0) return {ReadStatus::Timeout, 0, 0};
    if (fds[1].revents != 0) return {ReadStatus::Timeout, 0, 0};
    if (fds[0].revents & POLLNVAL) return {ReadStatus::Error, 0, EBADF};
    const ssize_t got = ::read(fd_, ahead_.data(), ahead_.size());
    if (got > 0) {
      aheadNext_ = 1;
      aheadEnd_ = static_cast<std::size_t>(got);
      return {ReadStatus::Byte, ahead_[0], 0};
    }
    if (got == 0) return {ReadStatus::Error, 0, EIO};  // readable but nothing there: the device is gone
    if (errno == EINTR || errno == EAGAIN) {
      if (Clock::now() >= deadline) return {ReadStatus::Timeout, 0, 0};
      continue;
    }
    return {ReadStatus::Error, 0, errno};
  }
}

int PosixSerialPort::ReadIcount(std::uint32_t* counters) {
  serial_icounter_struct icount{};
  if (::ioctl(fd_, TIOCGICOUNT, &icount) != 0) return errno;
  counters[0] = static_cast<std::uint32_t>(icount.frame);
  counters[1] = static_cast<std::uint32_t>(icount.parity);
  counters[2] = static_cast<std::uint32_t>(icount.overrun);
  counters[3] = static_cast<std::uint32_t>(icount.brk);
  counters[4] = static_cast<std::uint32_t>(icount.buf_overrun);
  return 0;
}

int PosixSerialPort::TakeLineErrors(std::uint32_t& flags) {
  flags = 0;
  PortUsage::Use use(usage_);
  if (!use.ok()) return EBADF;
  if (!icountSupported_) return 0;
  std::uint32_t counters[5];
  const int error = ReadIcount(counters);
  if (error != 0) {
    // Drivers without counters (pseudo-terminals, some USB adapters) say so
    // with ENOTTY/EINVAL: they simply cannot report line errors.
    if (error == ENOTTY || error == EINVAL) {
      icountSupported_ = false;
      return 0;
    }
    return error;
  }
  static constexpr std::uint32_t kFlags[5] = {CE_FRAME, CE_RXPARITY, CE_OVERRUN, CE_BREAK, CE_RXOVER};
  for (int i = 0; i < 5; ++i) {
    if (counters[i] != lastCounts_[i]) flags |= kFlags[i];
    lastCounts_[i] = counters[i];
  }
  return 0;
}

void PosixSerialPort::CancelWait() {
  cancelled_ = true;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(cancelFd_, &one, sizeof one);
}

int PosixSerialPort::Close() {
  if (usage_.Closed()) return 0;
  CancelWait();
  if (!usage_.CloseAndWait()) return 0;
  int error = 0;
  // Output still held back by flow control would make close() wait for it
  // (up to half a minute on a stalled line); nobody is waiting for it now.
  ::tcflush(fd_, TCOFLUSH);
  if (haveOriginal_) ::tcsetattr(fd_, TCSANOW, &original_);
  ::ioctl(fd_, TIOCNXCL);
  if (::close(fd_) != 0) error = errno;
  ::close(cancelFd_);
  fd_ = -1;
  cancelFd_ = -1;
  return error;
}

std::int64_t PosixSerialPort::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

PosixSerialBackend::PosixSerialBackend(std::shared_ptr<const PortPaths> paths) : paths_(std::move(paths)) {}

std::shared_ptr<SerialPort> PosixSerialBackend::Open(TPort port, int& error) {
  return PosixSerialPort::Open(paths_->Resolve(port), error);
}
