#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "comm/PortUsage.h"
#include "comm/SerialApi.h"

// A serial port through the Win32 communications API: opened exclusively
// (no sharing) for overlapped I/O, line settings through the device control
// block without flow control, single bytes read under the driver's read
// time-outs, line-error flags from ClearCommError. Every wait is on the
// operation's event together with a cancel event, so closing never waits
// out a read. The settings found at opening are restored at closing.
class Win32SerialPort : public SerialPort {
public:
  // Opens a device such as "\\.\COM5"; on failure returns null and sets
  // error to the Win32 error number.
  static std::shared_ptr<Win32SerialPort> Open(const std::wstring& device, int& error);
  ~Win32SerialPort() override;

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
  Win32SerialPort(HANDLE handle, HANDLE cancelEvent, HANDLE readEvent, HANDLE writeEvent);

  int SetReadTimeout(int timeoutMs);
  // Waits for an overlapped operation until it completes, the cancel event
  // is set or limitMs has passed; in the last two cases the operation is
  // cancelled first. Returns 0 or the Win32 error number.
  int Complete(OVERLAPPED& operation, DWORD& transferred, int limitMs);

  HANDLE handle_;
  HANDLE cancelEvent_;  // set when the port is being closed
  HANDLE readEvent_;
  HANDLE writeEvent_;
  PortUsage usage_;  // Close waits for the calls in flight (which CancelWait has woken)
  std::atomic<bool> cancelled_{false};
  DCB original_{};
  COMMTIMEOUTS originalTimeouts_{};
  bool haveOriginal_ = false;
  int readTimeoutMs_ = -1;       // the read time-out the driver holds now (worker only)
  std::atomic<int> baud_{9600};  // set on the UI thread, read by the worker's deadlines
};

class Win32SerialBackend : public SerialBackend {
public:
  std::shared_ptr<SerialPort> Open(TPort port, int& error) override;
};

// The device name under which Windows opens a COM port: "\\.\COM5". The
// prefix is needed for COM10 and above and harmless below.
std::wstring Win32DeviceName(TPort port);

// The device control block for these settings, starting from what the port
// had: binary, no flow control of either kind, DTR and RTS on, no abort on
// errors (the library collects the error flags itself).
DCB BuildDcb(const DCB& original, const LineSettings& settings);
