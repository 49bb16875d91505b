#include "comm/PortPaths.h"

#include <cstdlib>

void PortPaths::SetConfigured(TPort port, std::string path) { configured_[static_cast<int>(port)] = std::move(path); }

void PortPaths::ClearConfigured() { configured_.fill({}); }

std::string PortPaths::Resolve(TPort port) const {
  const char* fromEnvironment = std::getenv(EnvironmentName(port).c_str());
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
  const std::string& fromConfiguration = configured_[static_cast<int>(port)];
  if (!fromConfiguration.empty()) return fromConfiguration;
  return DefaultPath(port);
}

std::string PortPaths::DefaultPath(TPort port) { return "/dev/ttyS" + std::to_string(static_cast<int>(port)); }

std::string PortPaths::EnvironmentName(TPort port) { return "VQ2X_" + PortDeviceName(port); }
