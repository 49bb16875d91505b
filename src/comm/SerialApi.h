#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "comm/RkTypes.h"

// The operating-system layer under TRkComm: one open serial port. Every call
// returns 0 on success or the system's error number (errno on Linux, a
// Win32 error on Windows), which the caller keeps with the outcome and turns
// into text with SystemErrorText.
//
// Threads: the worker thread reads and writes while the main thread may
// change the line settings (a frame setter on an open port) or cancel and
// close the port. Implementations make these calls safe against each other;
// CancelWait makes a blocked ReadByte return at once, so closing never waits
// for a read time-out.
struct LineSettings {
  TBaudrate baudrate = TBaudrate::br9600;
  TDataBit dataBits = TDataBit::db_8;
  TParityBit parity = TParityBit::Even;
  TStopBit stopBits = TStopBit::sb_1;
  friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

enum class ReadStatus {
  Byte,     // one byte was read
  Timeout,  // nothing arrived within the time-out (or the wait was cancelled)
  Error,    // the read failed; the error number says why (see IsVanishedDeviceError)
};

struct ReadResult {
  ReadStatus status = ReadStatus::Timeout;
  std::uint8_t byte = 0;
  int error = 0;
};

class SerialPort {
public:
  virtual ~SerialPort() = default;

  // Reads the port's current state; called once right after opening.
  virtual int ReadState() = 0;
  // Applies baud rate, data bits, parity and stop bits at once.
  virtual int ApplySettings(const LineSettings& settings) = 0;
  // Discards what is waiting in both directions.
  virtual int Purge() = 0;
  // Writes every byte or fails: a short write is continued, and a write that
  // cannot complete is an error, never silently dropped bytes.
  virtual int WriteAll(const std::uint8_t* data, std::size_t size) = 0;
  // Waits until the written bytes have left the port.
  virtual int Flush() = 0;
  // Waits up to timeoutMs for one byte.
  virtual ReadResult ReadByte(int timeoutMs) = 0;
  // Returns the line-error flags (CE_*) collected since the last call and
  // clears them. Ports that cannot tell report none.
  virtual int TakeLineErrors(std::uint32_t& flags) = 0;
  // Any thread: makes a waiting ReadByte return and later ones return at
  // once, until the port is closed. Used when the port is being closed.
  virtual void CancelWait() = 0;
  // Restores what opening changed and releases the port. Later calls fail.
  virtual int Close() = 0;
  // A monotonic clock in milliseconds, the one the read time-outs run on
  // (simulated on a test line), for limits that span several reads.
  virtual std::int64_t NowMs() const = 0;
};

// Opens ports by their device name ("COM1" .. "COM16").
class SerialBackend {
public:
  virtual ~SerialBackend() = default;
  // Opens the port exclusively. On failure returns null and sets error.
  virtual std::shared_ptr<SerialPort> Open(TPort port, int& error) = 0;
};

// Error numbers with a meaning for the library, in the numbering of the
// back-end this program was built with.
int NoSuchPortError();                  // opening a port that is not there
int CancelledWaitError();               // a wait that closing the port cut short
bool IsVanishedDeviceError(int error);  // the device has gone away (an adapter unplugged)
