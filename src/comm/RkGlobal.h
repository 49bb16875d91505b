#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Outcome of one exchange. All zero is success; OnCommError with an all-zero
// record reports that the previous failure of a cyclic component is over.
struct TCommError {
  std::int32_t Code = 0;
  std::uint32_t SystemError = 0;  // the system's error number of the failed port call when Code == ceSystemError
  std::uint32_t CommErrors = 0;   // CE_* flags when Code == ceLineError

  bool IsSuccess() const { return Code == 0 && SystemError == 0 && CommErrors == 0; }
  friend bool operator==(const TCommError&, const TCommError&) = default;
};

// Outcome codes. What the caller does with each: ceTimeout means the device
// did not answer (retrying will not help until it does); ceSystemError and
// ceLineError are faults of the port or the line; the framing codes are
// corrupted replies of the binary protocols.
constexpr std::int32_t cePortClosed = 1;        // the port was closed during the exchange
constexpr std::int32_t ceDeviceError = 0x1000;  // the device answered with an error frame
constexpr std::int32_t ceSystemError = 0x1001;  // a port call failed; SystemError holds the system's error number
constexpr std::int32_t ceLineError = 0x1002;    // the port reported line errors; CommErrors holds the flags
constexpr std::int32_t ceEmptyFrame = 0x1003;   // nothing to send
constexpr std::int32_t ceTimeout = 0x1070;      // no byte within the read time-out
constexpr std::int32_t ceCheckSum = 0x1071;
constexpr std::int32_t ceHeader82 = 0x1072;
constexpr std::int32_t ceNo82Duplicate = 0x1073;
constexpr std::int32_t ceHeaderDLE = 0x1074;
constexpr std::int32_t ceNoDLEDuplicate = 0x1075;
constexpr std::int32_t ceStartChar = 0x1076;

// Line error flags as the port reports them. <windows.h> defines the same
// flags, with the same values, as macros; where it came first, those serve.
#ifndef CE_RXOVER
constexpr std::uint32_t CE_RXOVER = 0x0001;
constexpr std::uint32_t CE_OVERRUN = 0x0002;
constexpr std::uint32_t CE_RXPARITY = 0x0004;
constexpr std::uint32_t CE_FRAME = 0x0008;
constexpr std::uint32_t CE_BREAK = 0x0010;
constexpr std::uint32_t CE_TXFULL = 0x0100;
constexpr std::uint32_t CE_IOE = 0x0400;
constexpr std::uint32_t CE_MODE = 0x8000;
#endif

// The port could not be opened or closed; the message is the system's text.
class ECommHandleError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The port could not be set up, or a setting was refused while it is open.
class ECommInitError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The system's text for an error number of a port call ("" for 0): errno
// on Linux, a Win32 error number on Windows.
std::string SystemErrorText(int errorNumber);

// Language of the library's own texts: 2 (German) when the user's locale is
// German (on Linux LC_ALL, else LC_MESSAGES, else LANG, the first one that
// is set and not empty, starting with "de"; on Windows the thread locale),
// 1 (English) otherwise. Read once.
int LibraryLanguage();
int LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang);
