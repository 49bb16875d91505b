#include "comm/PortFailureCause.h"

#include <cerrno>

std::span<const int> PortErrorsWithHint() {
  static constexpr int kExplained[] = {EACCES, EPERM, EBUSY, ENOENT, ENODEV, ENXIO};
  return kExplained;
}

PortFailureKind PortFailureKindOf(int errorNumber) {
  switch (errorNumber) {
    case EACCES:
    case EPERM: return PortFailureKind::NoPermission;
    case EBUSY: return PortFailureKind::Busy;
    case ENOENT:
    case ENODEV:
    case ENXIO: return PortFailureKind::NoDevice;
    default: return PortFailureKind::Unexplained;
  }
}

std::string PortFailureCause(PortFailureKind kind) {
  switch (kind) {
    case PortFailureKind::NoPermission:
      return "You may not use this device: add your user to the \"dialout\" group "
             "(sudo usermod -aG dialout $USER), then log out and in again.";
    case PortFailureKind::Busy:
      return "Another program holds the port (for example ModemManager or a terminal program): "
             "close it, or stop ModemManager (sudo systemctl stop ModemManager), and try again.";
    case PortFailureKind::NoDevice:
      return "There is no device at this path: check the cable or USB adapter, or map the COM number "
             "to the right device in the serial settings.";
    case PortFailureKind::Unexplained: break;
  }
  return {};
}
