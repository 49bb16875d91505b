#include "cli/DeviceLine.h"

#include <algorithm>
#include <chrono>

#include "cli/Interrupt.h"
#include "comm/PortFailureCause.h"
#include "comm/SystemSerial.h"

namespace {

// "COM3" (any case) as a port of the tool's own names; none for a path.
std::optional<TPort> ComPort(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
  for (int i = 0; i < kPortCount; ++i)
    if (name == PortDeviceName(static_cast<TPort>(i))) return static_cast<TPort>(i);
  return std::nullopt;
}

}  // namespace

DeviceLine::DeviceLine(const ToolSettings& settings, const GlobalOptions& options)
    : paths_(std::make_shared<PortPaths>()), port_(invoker_, MakeSystemSerialBackend(paths_)) {
  ApplyPortSettings(settings, port_);
  ApplyPortPaths(settings, *paths_);
  if (options.port) {
    if (const auto com = ComPort(*options.port)) {
      port_.SetPortName(*com);
    } else {
      path_ = *options.port;
      port_.SetBackend(MakeDeviceSerialBackend(path_));
    }
  }
  if (options.baudrate) port_.SetBaudrate(*options.baudrate);
  if (options.framing) {
    port_.SetFrameDatabits(options.framing->dataBits);
    port_.SetFrameParitybit(options.framing->parity);
    port_.SetFrameStopbits(options.framing->stopBits);
  }
}

DeviceLine::~DeviceLine() {
  try {
    port_.Close();
  } catch (const std::exception&) {
    // Nothing more can be done for a port that will not close at the end.
  }
}

JobOutcome DeviceLine::Open() {
  try {
    port_.Open();
    return {};
  } catch (const std::exception& e) {
    std::string message = "cannot open " + Describe() + ": " + e.what();
    const std::string cause = PortFailureCause(PortFailureKindOfText(e.what()));
    if (!cause.empty()) message += ". " + cause;
    return {kPortFailure, message};
  }
}

bool DeviceLine::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (Interrupted()) return false;
    invoker_.ServeFor(std::chrono::milliseconds(50));
  }
  return true;
}

std::string DeviceLine::Describe() const {
  const std::string where = path_.empty() ? SystemPortLocation(*paths_, port_.PortName()) : path_;
  const LineSettings line = port_.CurrentLineSettings();
  return where + " " + PortSettingsText(line.baudrate, line.parity, line.dataBits, line.stopBits);
}
