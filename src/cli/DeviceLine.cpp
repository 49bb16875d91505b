#include "cli/DeviceLine.h"

#include <algorithm>
#include <chrono>

#include "cli/Interrupt.h"
#include "comm/PortFailureCause.h"
#include "comm/SystemSerial.h"
#include "model/Global_var.h"

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
    : paths_(std::make_shared<PortPaths>()), log_(options.log), port_(invoker_, MakeSystemSerialBackend(paths_)) {
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
  if (options.fast) port_.SetFastReplies(true);
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
  if (!log_.empty() && !transcript_) {
    TranscriptSetup setup;
    setup.path = log_;
    setup.program = std::string("vq2x ") + VersionText;
    setup.portPath = [this](TPort port) { return path_.empty() ? paths_->Resolve(port) : path_; };
    setup.port = port_.PortName();
    setup.settings = port_.CurrentLineSettings();
    std::string error;
    transcript_ = TrafficTranscript::Open(std::move(setup), &error);
    if (!transcript_) return {kBadFile, "cannot write the transcript " + log_ + " (" + error + "); nothing was sent"};
    port_.SetTrafficObserver(transcript_.get());
  }
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
    if (transcript_) transcript_->Tick();
  }
  return true;
}

std::string DeviceLine::Describe() const { return Where() + " " + SettingsText(); }

std::string DeviceLine::Where() const {
  return path_.empty() ? SystemPortLocation(*paths_, port_.PortName()) : path_;
}

std::string DeviceLine::SettingsText() const {
  const LineSettings line = port_.CurrentLineSettings();
  return PortSettingsText(line.baudrate, line.parity, line.dataBits, line.stopBits);
}
