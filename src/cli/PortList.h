#pragma once

#include <string>
#include <vector>

// A serial port the system knows of: the name to open it by (a device path
// on Linux, "COM5" on Windows), the system's description, and for a USB
// adapter its vendor:product ids and serial number ("" otherwise).
struct ListedPort {
  std::string path;
  std::string description;
  std::string usb;
  std::string serial;
};

// The system's serial ports; false when it cannot list them.
bool ListSerialPorts(std::vector<ListedPort>& ports);
