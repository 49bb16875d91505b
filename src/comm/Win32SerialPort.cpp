#include "comm/Win32SerialPort.h"

#include <chrono>

#include "comm/LineTiming.h"
#include "comm/SystemSerial.h"
#include "platform/Utf16.h"

namespace {

using Clock = std::chrono::steady_clock;

// Queue sizes of the port, in and out: a whole frame either way.
constexpr DWORD kQueueSize = 512;

// A read the driver should end after its time-out is given this much more
// before it is cancelled: a driver that ignores the time-outs must not
// hang the worker.
constexpr int kDriverSlackMs = 1000;

// The line-error flags the library reports; the library's CE_* values are
// the system's.
constexpr DWORD kLineErrorFlags = CE_RXOVER | CE_OVERRUN | CE_RXPARITY | CE_FRAME | CE_BREAK | CE_TXFULL | CE_IOE | CE_MODE;

int LastError() { return static_cast<int>(::GetLastError()); }

HANDLE NewEvent() { return ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }

void CloseIfOpen(HANDLE handle) {
  if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
}

}  // namespace

std::wstring Win32DeviceName(TPort port) { return L"\\\\.\\" + Utf16FromUtf8(PortDeviceName(port)); }

DCB BuildDcb(const DCB& original, const LineSettings& settings) {
  DCB dcb = original;
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = static_cast<DWORD>(BaudrateValue(settings.baudrate));
  dcb.ByteSize = settings.dataBits == TDataBit::db_7 ? 7 : 8;
  dcb.StopBits = settings.stopBits == TStopBit::sb_2 ? TWOSTOPBITS : ONESTOPBIT;
  switch (settings.parity) {
    case TParityBit::None: dcb.Parity = NOPARITY; break;
    case TParityBit::Even: dcb.Parity = EVENPARITY; break;
    case TParityBit::Odd: dcb.Parity = ODDPARITY; break;
  }
  dcb.fParity = settings.parity != TParityBit::None;
  dcb.fBinary = TRUE;
  // Flow control would hold back or swallow bytes of the binary protocols.
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fTXContinueOnXoff = TRUE;
  // Converters on the line may draw their power from DTR and RTS.
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  // With abort-on-error every call after a line error would fail until the
  // flags were read; the library reads them after every call anyway.
  dcb.fAbortOnError = FALSE;
  return dcb;
}

std::shared_ptr<Win32SerialPort> Win32SerialPort::Open(const std::wstring& device, int& error) {
  // No sharing: the port is this program's alone while it is open.
  const HANDLE handle = ::CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = LastError();
    return nullptr;
  }
  const HANDLE events[3] = {NewEvent(), NewEvent(), NewEvent()};
  if (events[0] == nullptr || events[1] == nullptr || events[2] == nullptr) {
    error = LastError();
    for (HANDLE event : events) CloseIfOpen(event);
    ::CloseHandle(handle);
    return nullptr;
  }
  error = 0;
  return std::shared_ptr<Win32SerialPort>(new Win32SerialPort(handle, events[0], events[1], events[2]));
}

Win32SerialPort::Win32SerialPort(HANDLE handle, HANDLE cancelEvent, HANDLE readEvent, HANDLE writeEvent)
    : handle_(handle), cancelEvent_(cancelEvent), readEvent_(readEvent), writeEvent_(writeEvent) {}

Win32SerialPort::~Win32SerialPort() { Close(); }

int Win32SerialPort::ReadState() {
  PortUsage::Use use(usage_);
  if (!use.ok()) return ERROR_INVALID_HANDLE;
  if (!::SetupComm(handle_, kQueueSize, kQueueSize)) return LastError();
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(handle_, &dcb)) return LastError();
  COMMTIMEOUTS timeouts{};
  if (!::GetCommTimeouts(handle_, &timeouts)) return LastError();
  original_ = dcb;
  originalTimeouts_ = timeouts;
  haveOriginal_ = true;
  return 0;
}

int Win32SerialPort::ApplySettings(const LineSettings& settings) {
  PortUsage::Use use(usage_);
  if (!use.ok()) return ERROR_INVALID_HANDLE;
  DCB dcb = BuildDcb(original_, settings);
  if (!::SetCommState(handle_, &dcb)) return LastError();
  baud_ = BaudrateValue(settings.baudrate);
  return 0;
}

int Win32SerialPort::Purge() {
  PortUsage::Use use(usage_);
  if (!use.ok()) return ERROR_INVALID_HANDLE;
  return ::PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR) ? 0 : LastError();
}

int Win32SerialPort::Complete(OVERLAPPED& operation, DWORD& transferred, int limitMs) {
  const HANDLE events[2] = {operation.hEvent, cancelEvent_};
  const DWORD waited = ::WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(limitMs < 0 ? 0 : limitMs));
  if (waited != WAIT_OBJECT_0) ::CancelIoEx(handle_, &operation);
  // After a cancel the operation still ends (at once) and must be waited
  // for: the driver writes into the OVERLAPPED and the buffer until then.
  if (::GetOverlappedResult(handle_, &operation, &transferred, TRUE)) return 0;
  const int error = LastError();
  if (error != ERROR_OPERATION_ABORTED || waited == WAIT_OBJECT_0) return error;
  return waited == WAIT_OBJECT_0 + 1 ? ERROR_OPERATION_ABORTED : ERROR_TIMEOUT;
}

int Win32SerialPort::WriteAll(const std::uint8_t* data, std::size_t size) {
  PortUsage::Use use(usage_);
  if (!use.ok()) return ERROR_INVALID_HANDLE;
  const auto deadline = Clock::now() + std::chrono::milliseconds(WriteLimitMs(size, baud_.load()));
  while (size > 0) {
    if (cancelled_) return ERROR_OPERATION_ABORTED;
    OVERLAPPED operation{};
    operation.hEvent = writeEvent_;
    ::ResetEvent(writeEvent_);
    const DWORD chunk = static_cast<DWORD>(size);
    if (!::WriteFile(handle_, data, chunk, nullptr, &operation) && ::GetLastError() != ERROR_IO_PENDING)
      return LastError();
    DWORD written = 0;
    if (const int error = Complete(operation, written, RemainingMs(deadline)); error != 0) return error;
    if (written == 0 && Clock::now() >= deadline) return ERROR_TIMEOUT;
    data += written;
    size -= written;
  }
  return 0;
}

int Win32SerialPort::Flush() {
  PortUsage::Use use(usage_);
  if (!use.ok()) return ERROR_INVALID_HANDLE;
  // Without flow control the output leaves within its transmit time.
  return ::FlushFileBuffers(handle_) ? 0 : LastError();
}

int Win32SerialPort::SetReadTimeout(int timeoutMs) {
  if (timeoutMs == readTimeoutMs_) return 0;
  // Every read asks for one byte: with a total time-out alone, ReadFile
  // returns as soon as that byte is there, or after the time-out with none.
  // (No interval time-out: 0 there means "not used".) A total time-out of
  // 0 would mean "wait for ever"; 0 ms is asked for as "only what is there
  // now".
  COMMTIMEOUTS timeouts{};
  if (timeoutMs > 0)
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(timeoutMs);
  else
    timeouts.ReadIntervalTimeout = MAXDWORD;
  if (!::SetCommTimeouts(handle_, &timeouts)) return LastError();
  readTimeoutMs_ = timeoutMs;
  return 0;
}

ReadResult Win32SerialPort::ReadByte(int timeoutMs) {
  PortUsage::Use use(usage_);
  if (!use.ok()) return {ReadStatus::Error, 0, ERROR_INVALID_HANDLE};
  if (cancelled_) return {ReadStatus::Timeout, 0, 0};
  if (const int error = SetReadTimeout(timeoutMs); error != 0) return {ReadStatus::Error, 0, error};
  OVERLAPPED operation{};
  operation.hEvent = readEvent_;
  ::ResetEvent(readEvent_);
  std::uint8_t byte = 0;
  if (!::ReadFile(handle_, &byte, 1, nullptr, &operation) && ::GetLastError() != ERROR_IO_PENDING)
    return {ReadStatus::Error, 0, LastError()};
  DWORD got = 0;
  const int error = Complete(operation, got, timeoutMs + kDriverSlackMs);
  if (cancelled_ || error == ERROR_TIMEOUT) return {ReadStatus::Timeout, 0, 0};
  if (error != 0) return {ReadStatus::Error, 0, error};
  if (got == 1) return {ReadStatus::Byte, byte, 0};
  return {ReadStatus::Timeout, 0, 0};
}

int Win32SerialPort::TakeLineErrors(std::uint32_t& flags) {
  flags = 0;
  PortUsage::Use use(usage_);
  if (!use.ok()) return ERROR_INVALID_HANDLE;
  DWORD errors = 0;
  COMSTAT status{};
  if (!::ClearCommError(handle_, &errors, &status)) return LastError();
  flags = errors & kLineErrorFlags;
  return 0;
}

void Win32SerialPort::CancelWait() {
  cancelled_ = true;
  ::SetEvent(cancelEvent_);
}

int Win32SerialPort::Close() {
  if (usage_.Closed()) return 0;
  CancelWait();
  if (!usage_.CloseAndWait()) return 0;
  // Output nobody waits for any more would hold up closing the handle.
  ::PurgeComm(handle_, PURGE_TXABORT | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_RXCLEAR);
  if (haveOriginal_) {
    ::SetCommState(handle_, &original_);
    ::SetCommTimeouts(handle_, &originalTimeouts_);
  }
  const int error = ::CloseHandle(handle_) ? 0 : LastError();
  for (HANDLE event : {cancelEvent_, readEvent_, writeEvent_}) ::CloseHandle(event);
  handle_ = INVALID_HANDLE_VALUE;
  return error;
}

std::int64_t Win32SerialPort::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

std::shared_ptr<SerialPort> Win32SerialBackend::Open(TPort port, int& error) {
  return Win32SerialPort::Open(Win32DeviceName(port), error);
}

std::shared_ptr<SerialBackend> MakeSystemSerialBackend(std::shared_ptr<const PortPaths>) {
  return std::make_shared<Win32SerialBackend>();
}

namespace {

class DeviceNameBackend : public SerialBackend {
public:
  explicit DeviceNameBackend(std::wstring device) : device_(std::move(device)) {}
  std::shared_ptr<SerialPort> Open(TPort, int& error) override { return Win32SerialPort::Open(device_, error); }

private:
  std::wstring device_;
};

}  // namespace

std::shared_ptr<SerialBackend> MakeDeviceSerialBackend(std::string device) {
  const bool prefixed = device.rfind("\\\\.\\", 0) == 0;
  return std::make_shared<DeviceNameBackend>(Utf16FromUtf8(prefixed ? device : "\\\\.\\" + device));
}

std::string SystemPortLocation(const PortPaths&, TPort port) { return PortDeviceName(port); }

int NoSuchPortError() { return ERROR_FILE_NOT_FOUND; }

int CancelledWaitError() { return ERROR_OPERATION_ABORTED; }

bool IsVanishedDeviceError(int error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:         // a USB adapter pulled while open
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_BROKEN_PIPE:           // the other end of a line that wine maps to a terminal closed
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED: return true;
    default: return false;
  }
}
