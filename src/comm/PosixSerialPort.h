#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <termios.h>

#include "comm/PortPaths.h"
#include "comm/PortUsage.h"
#include "comm/SerialApi.h"

// A serial port through termios: opened exclusively (O_NOCTTY, TIOCEXCL and
// flock), raw mode, reads of single bytes with poll() time-outs (served from
// what one read() brought in, so a reply costs a few calls, not two per
// byte; a purge discards that too), line-error
// flags from TIOCGICOUNT deltas where the driver keeps them, the settings
// found at opening restored at closing.
class PosixSerialPort : public SerialPort {
public:
  // Opens path; on failure returns null and sets error.
  static std::shared_ptr<PosixSerialPort> Open(const std::string& path, int& error);
  ~PosixSerialPort() override;

  int ReadState() override;
  int ApplySettings(const LineSettings& settings) override;
  int Purge() override;
  int WriteAll(const std::uint8_t* data, std::size_t size) override;
  int Flush() override;
  ReadResult ReadByte(int timeoutMs) override;
  int TakeLineErrors(std::uint32_t& flags) override;
  void CancelWait() override;
  int Close() override;
  std::int64_t NowMs() const override;

private:
  PosixSerialPort(int fd, int cancelFd);

  int WaitWritable(int timeoutMs);
  int ReadIcount(std::uint32_t* counters);

  int fd_;
  int cancelFd_;  // eventfd that wakes poll() when the port is being closed
  PortUsage usage_;  // Close waits for the calls in flight (which CancelWait has woken)
  std::atomic<bool> cancelled_{false};
  termios original_{};
  bool haveOriginal_ = false;
  std::atomic<int> baud_{9600};  // set on the UI thread, read by the worker's deadlines
  bool icountSupported_ = true;
  // Bytes read and not yet handed out (worker thread only).
  std::array<std::uint8_t, 64> ahead_{};
  std::size_t aheadNext_ = 0;
  std::size_t aheadEnd_ = 0;
  std::uint32_t lastCounts_[5] = {};  // frame, parity, overrun, break, buffer overrun
};

class PosixSerialBackend : public SerialBackend {
public:
  explicit PosixSerialBackend(std::shared_ptr<const PortPaths> paths);
  std::shared_ptr<SerialPort> Open(TPort port, int& error) override;

private:
  std::shared_ptr<const PortPaths> paths_;
};

// The termios of a port in raw mode with these settings, starting from
// what the port had when it was opened (flow control stays as it was). The
// baud rate is set separately, since 28800 has no termios constant.
termios BuildRawTermios(const termios& original, const LineSettings& settings);
