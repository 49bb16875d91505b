#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comm/SerialApi.h"

// An in-process serial line with a programmable device at its far end, for
// tests. Time on the line is simulated: a read that waits advances the
// line's clock instead of sleeping, so "the reply comes after 80 ms" against
// a 100 ms time-out is exact and instant. Only a held line (see Hold) waits
// in real time, until the test releases it or the port is closed.

// What the device sends back for one request.
struct VirtualReply {
  struct Burst {
    int afterMs = 0;                // when the burst arrives, counted from the end of the request
    std::string bytes;              // arrive together
    std::uint32_t lineErrors = 0;   // CE_* flags the port reports once the first byte is read
  };
  std::vector<Burst> bursts;  // none: the device stays silent
  bool hold = false;          // the line stays quiet in real time until Release() or closing

  static VirtualReply Silence() { return {}; }
  static VirtualReply Answer(std::string bytes, int afterMs = 5) { return {{{afterMs, std::move(bytes), 0}}, false}; }
  static VirtualReply Hold() { return {{}, true}; }
};

// The calls of the port that a test can make fail.
enum class VirtualCall { ReadState, ApplySettings, Purge, Write, Flush, Read, LineErrors, Close };

class VirtualDevice {
public:
  using Responder = std::function<VirtualReply(const std::string& request)>;

  // Answers requests not matched by an expectation (default: silence).
  void SetResponder(Responder responder);
  // The next request equal to `request` gets `reply`; expectations are used
  // once each, in order of addition.
  void Expect(std::string request, VirtualReply reply);
  // Bytes that arrive without a request, afterMs from now.
  void Push(std::string bytes, int afterMs = 0, std::uint32_t lineErrors = 0);

  // The next `count` calls of `call` fail with `error` (errno).
  void FailNext(VirtualCall call, int error, int count = 1);
  // Opening fails with `error` until set back to 0.
  void SetOpenError(int error);
  // The device vanishes: every later call fails with EIO, reads too.
  void Disconnect();
  // The device is back (plugged in again): the port can be opened again.
  void Reconnect();
  // Ends a hold: the waiting read returns with nothing.
  void Release();
  // Moves the line's clock on, as if the line had been idle.
  void AdvanceMs(int ms);

  std::int64_t NowMs() const;
  std::vector<std::string> Requests() const;  // every block written, in order
  std::size_t RequestCount() const;
  LineSettings Settings() const;
  int ApplyCount() const;  // how often the settings were applied
  bool IsOpen() const;
  // Real-time wait for the n-th request (tests driving the worker thread).
  bool WaitForRequests(std::size_t n, int timeoutMs) const;

private:
  friend class VirtualSerialPort;
  friend class VirtualSerialBackend;

  struct Incoming {
    std::int64_t atMs;
    std::uint8_t byte;
    std::uint32_t lineErrors;
  };

  int TakeFailure(VirtualCall call);  // with mutex_ held
  void Schedule(const VirtualReply& reply);

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  Responder responder_;
  std::deque<std::pair<std::string, VirtualReply>> expectations_;
  std::deque<Incoming> incoming_;
  std::map<VirtualCall, std::pair<int, int>> failures_;  // call -> (error, remaining count)
  std::vector<std::string> requests_;
  std::int64_t nowMs_ = 0;
  std::uint32_t pendingLineErrors_ = 0;
  LineSettings settings_{};
  int applyCount_ = 0;
  int openError_ = 0;
  bool open_ = false;
  bool disconnected_ = false;
  bool holding_ = false;
  bool cancelled_ = false;
};

class VirtualSerialPort : public SerialPort {
public:
  explicit VirtualSerialPort(std::shared_ptr<VirtualDevice> device);
  ~VirtualSerialPort() override;

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
  int Simple(VirtualCall call);
  std::shared_ptr<VirtualDevice> device_;
  bool closed_ = false;
};

// Ports COM1 .. COM16 each with its own device; a port without a device
// does not exist (ENOENT).
class VirtualSerialBackend : public SerialBackend {
public:
  std::shared_ptr<VirtualDevice> Attach(TPort port);
  std::shared_ptr<SerialPort> Open(TPort port, int& error) override;

private:
  std::mutex mutex_;
  std::map<TPort, std::shared_ptr<VirtualDevice>> devices_;
};
