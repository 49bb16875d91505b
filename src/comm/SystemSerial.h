#pragma once

#include <memory>
#include <string>

#include "comm/PortPaths.h"
#include "comm/SerialApi.h"

// The serial back-end of the system the program was built for. On Linux:
// termios, each COM name opened where paths put it. On Windows: the
// system's own COM ports of that name (the mapping is a Linux matter and
// not used there).
std::shared_ptr<SerialBackend> MakeSystemSerialBackend(std::shared_ptr<const PortPaths> paths);

// A back-end that opens one device whatever port number is asked for: a
// device path on Linux ("/dev/ttyUSB0"), a device name on Windows ("COM20"
// or "\\.\COM20").
std::shared_ptr<SerialBackend> MakeDeviceSerialBackend(std::string device);

// Where the system back-end opens a port, for messages: the device path on
// Linux, the COM name on Windows.
std::string SystemPortLocation(const PortPaths& paths, TPort port);
