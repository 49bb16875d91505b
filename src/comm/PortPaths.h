#pragma once

#include <array>
#include <string>

#include "comm/RkTypes.h"

// Where the ports COM1 .. COM16 are on this machine. By default COMn is
// /dev/ttyS(n-1); the configuration file's [Poorten] section
// ("COM3=/dev/ttyUSB0") and, above that, an environment variable per port
// ("VQ2X_COM3=/dev/pts/7") put a port elsewhere. The names the user sees
// stay "COM 1" .. "COM 16".
class PortPaths {
public:
  void SetConfigured(TPort port, std::string path);
  void ClearConfigured();
  // The configured path ("" when none); what Resolve returns can differ
  // through the environment.
  const std::string& Configured(TPort port) const { return configured_[static_cast<std::size_t>(port)]; }
  std::string Resolve(TPort port) const;

  static std::string DefaultPath(TPort port);
  static std::string EnvironmentName(TPort port);  // "VQ2X_COM3"

private:
  std::array<std::string, kPortCount> configured_;
};
