#include "comm/PortFailureCause.h"

#include <windows.h>

// Windows has no group that grants serial ports: a port that another
// program holds is refused with "access denied".
std::span<const int> PortErrorsWithHint() {
  static constexpr int kExplained[] = {ERROR_ACCESS_DENIED,  ERROR_SHARING_VIOLATION, ERROR_BUSY,
                                       ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,    ERROR_DEV_NOT_EXIST,
                                       ERROR_DEVICE_NOT_CONNECTED};
  return kExplained;
}

PortFailureKind PortFailureKindOf(int errorNumber) {
  switch (errorNumber) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY: return PortFailureKind::Busy;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED: return PortFailureKind::NoDevice;
    default: return PortFailureKind::Unexplained;
  }
}

std::string PortFailureCause(PortFailureKind kind) {
  switch (kind) {
    case PortFailureKind::NoPermission: return "You may not use this port: ask the computer's administrator for access.";
    case PortFailureKind::Busy:
      return "Another program holds the port (for example a terminal program or another copy of this tool): "
             "close it and try again.";
    case PortFailureKind::NoDevice:
      return "There is no such port: check the cable or USB adapter, and the port's COM number in the "
             "Device Manager.";
    case PortFailureKind::Unexplained: break;
  }
  return {};
}
