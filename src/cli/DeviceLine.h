#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cli/CliCall.h"
#include "cli/ExitStatus.h"
#include "comm/MainThreadInvoker.h"
#include "comm/PortPaths.h"
#include "comm/RkComm.h"
#include "comm/TrafficTranscript.h"
#include "model/Configuration.h"

// The serial line a run of vq2x talks over: the port of the settings file
// (or --port) with its line settings (or --baud, --framing), and the loop
// that runs the serial library's events on this thread, in place of the
// windows' event loop, until a job is done.
class DeviceLine {
public:
  DeviceLine(const ToolSettings& settings, const GlobalOptions& options);
  ~DeviceLine();
  DeviceLine(const DeviceLine&) = delete;
  DeviceLine& operator=(const DeviceLine&) = delete;

  // kPortFailure, with the system's text and the likely cause, when the
  // port does not open; kBadFile when the transcript (--log) cannot be
  // created (nothing is sent then).
  JobOutcome Open();
  TRkComm& Port() { return port_; }

  // Runs the library's events until done() holds. False when Ctrl-C came
  // first (the exchange under way is then left to the port's close).
  bool RunUntil(const std::function<bool()>& done);

  // "/dev/ttyUSB0 9600,E,8,1" ("COM5 9600,E,8,1" on Windows), for messages
  // and reports: where, and at which line settings.
  std::string Describe() const;
  std::string Where() const;
  std::string SettingsText() const;

private:
  ManualInvoker invoker_;
  std::shared_ptr<PortPaths> paths_;
  std::string path_;  // the device when --port names one that is not COM1..COM16
  std::string log_;   // --log
  // Declared before the port, so it outlives it and records its close.
  std::unique_ptr<TrafficTranscript> transcript_;
  TRkComm port_;
};
