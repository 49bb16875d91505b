#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ControlScript.h"
#include "LineBus.h"
#include "LineServer.h"
#include "SerialLine.h"
#include "SimOptions.h"
#include "StateStore.h"
#include "TrafficLog.h"

// The simulator's process: opens the line, builds the units, and serves
// until SIGTERM, SIGINT or SIGHUP, sleeping in poll() whenever nothing is
// due. End of standard input only ends the operator console.
class SimRunner {
public:
  explicit SimRunner(SimOptions options);
  ~SimRunner();

  // Returns the process's exit code.
  int Run();

private:
  bool Prepare(std::string* error);
  void BuildUnits(const ParameterLimits& limits, SimTime start);
  void Serve();
  std::optional<timespec> PollTimeout(SimTime now) const;  // none: wait for input only
  void ReadLine();
  void ReadStdin();
  void WriteDue(SimTime now);
  void RunDueScript(SimTime now);
  void NoteMemoryChanges(SimTime now);
  void SaveState();
  void Report(const std::string& text);

  SimOptions options_;
  std::unique_ptr<SerialLine> line_;
  LineBus bus_;
  std::FILE* logFile_ = nullptr;
  std::unique_ptr<TrafficLog> log_;
  std::unique_ptr<LineServer> server_;
  std::unique_ptr<StateStore> state_;
  std::optional<TranscriptReplay> replay_;
  std::uint64_t savedRevisions_ = 0;
  std::optional<SimTime> saveDue_;
  std::vector<ScriptEvent> script_;
  std::size_t nextScriptEvent_ = 0;
  SimTime start_{};
  bool stdinOpen_ = false;
  std::string stdinBuffer_;
  bool lineFailed_ = false;
  int signalFd_ = -1;
};
