#include "comm/PortFailureCause.h"

#include <cerrno>

#include "comm/RkGlobal.h"

namespace {

// The error numbers a hint exists for, in the order they are matched.
constexpr int kExplainedErrors[] = {EACCES, EPERM, EBUSY, ENOENT, ENODEV, ENXIO};

}  // namespace

std::string PortFailureCause(int errorNumber) {
  switch (errorNumber) {
    case EACCES:
    case EPERM:
      return "You may not use this device: add your user to the \"dialout\" group "
             "(sudo usermod -aG dialout $USER), then log out and in again.";
    case EBUSY:
      return "Another program holds the port (for example ModemManager or a terminal program): "
             "close it, or stop ModemManager (sudo systemctl stop ModemManager), and try again.";
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return "There is no device at this path: check the cable or USB adapter, or map the COM number "
             "to the right device in the serial settings.";
    default: return {};
  }
}

int PortFailureErrorOfText(std::string_view systemText) {
  if (systemText.empty()) return 0;
  for (const int error : kExplainedErrors)
    if (SystemErrorText(error) == systemText) return error;
  return 0;
}

std::string PortFailureCauseOfText(std::string_view systemText) {
  const int error = PortFailureErrorOfText(systemText);
  return error == 0 ? std::string() : PortFailureCause(error);
}
