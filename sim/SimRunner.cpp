#include "SimRunner.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "ControlCommand.h"
#include "SignalPipe.h"

namespace {

constexpr auto SaveDebounce = std::chrono::milliseconds(200);

SimTime ScriptTime(SimTime start, double seconds) {
  return start + std::chrono::duration_cast<SimDuration>(std::chrono::duration<double>(seconds));
}

}  // namespace

SimRunner::SimRunner(SimOptions options) : options_(std::move(options)) {}

SimRunner::~SimRunner() {
  server_.reset();
  log_.reset();
  if (logFile_) std::fclose(logFile_);
}

void SimRunner::Report(const std::string& text) {
  if (text.empty()) return;
  std::fprintf(stderr, "vq2x-sim: %s\n", text.c_str());
}

int SimRunner::Run() {
  std::string error;
  if (!Prepare(&error)) {
    Report(error);
    return 2;
  }
  std::printf("%s\n", line_->name().c_str());
  std::fflush(stdout);
  Serve();
  SaveState();
  return lineFailed_ ? 1 : 0;
}

bool SimRunner::Prepare(std::string* error) {
  EnsureStandardDescriptors();
  signalFd_ = SignalPipe::Install();
  ParameterLimits limits = BuiltInLimits();
  if (!options_.cataloguePath.empty() && !LoadCatalogueLimits(options_.cataloguePath, &limits, error)) return false;
  if (!options_.scriptPath.empty() && !LoadControlScript(options_.scriptPath, &script_, error)) {
    *error = options_.scriptPath + ": " + *error;
    return false;
  }
  if (!options_.replayPath.empty() && !(replay_ = TranscriptReplay::Load(options_.replayPath, error))) return false;
  if (!options_.logPath.empty()) {
    logFile_ = std::fopen(options_.logPath.c_str(), "a");
    if (!logFile_) {
      *error = "cannot open log file " + options_.logPath + ": " + std::strerror(errno);
      return false;
    }
  }
  line_ = options_.usePty ? SerialLine::OpenPty(error)
                          : SerialLine::OpenDevice(options_.devicePath, options_.deviceLine, error);
  if (!line_) return false;
  start_ = SimClock::now();
  BuildUnits(limits, start_);
  log_ = std::make_unique<TrafficLog>(logFile_);
  server_ = std::make_unique<LineServer>(bus_, log_.get(), options_.seed);
  server_->faults() = options_.faults;
  if (replay_) server_->SetReplay(&*replay_);
  server_->SetNoise(options_.faults.noisePerMinute, start_);
  server_->NoteSettings(line_->Settings());
  stdinOpen_ = options_.readStdin;
  return true;
}

void SimRunner::BuildUnits(const ParameterLimits& limits, SimTime start) {
  if (!options_.statePath.empty()) {
    state_ = std::make_unique<StateStore>(options_.statePath);
    std::string warning;
    state_->Load(&warning);
    Report(warning);
  }
  for (const UnitConfig& config : options_.units) {
    SimDeviceSetup setup{config.number, config.type, limits, options_.motion, options_.analogInVolts,
                         options_.analogInMilliamps};
    DeviceMemory memory = state_ ? state_->UnitMemory(config.number, limits) : DeviceMemory::Defaults(limits);
    auto device = std::make_unique<SimDevice>(setup, memory, start);
    device->SetLongIdentification(options_.longIdentification);
    device->SetClampWrites(options_.clampWrites);
    bus_.AddUnit(config, std::move(device));
  }
  for (const auto& unit : bus_.units()) savedRevisions_ += unit.device->memoryRevision();
}

void SimRunner::Serve() {
  while (!lineFailed_) {
    SimTime now = SimClock::now();
    WriteDue(now);
    RunDueScript(now);
    NoteMemoryChanges(now);
    if (saveDue_ && *saveDue_ <= now) SaveState();

    pollfd fds[3] = {{line_->dataFd(), POLLIN, 0}, {signalFd_, POLLIN, 0}, {0, POLLIN, 0}};
    nfds_t count = stdinOpen_ ? 3 : 2;
    std::optional<timespec> timeout = PollTimeout(SimClock::now());
    int ready = ppoll(fds, count, timeout ? &*timeout : nullptr, nullptr);
    if (ready < 0 && errno != EINTR) {
      Report(std::string("poll failed: ") + std::strerror(errno));
      return;
    }
    if (ready <= 0) continue;
    if (fds[1].revents) return;  // a stop signal
    if (fds[0].revents) ReadLine();
    if (stdinOpen_ && fds[2].revents) ReadStdin();
  }
}

// To the nanosecond rather than the millisecond: paced replies at high baud
// rates are due less than a millisecond apart.
std::optional<timespec> SimRunner::PollTimeout(SimTime now) const {
  std::optional<SimTime> due = server_->NextDue();
  auto earliest = [&due](SimTime t) {
    if (!due || t < *due) due = t;
  };
  if (nextScriptEvent_ < script_.size()) earliest(ScriptTime(start_, script_[nextScriptEvent_].seconds));
  if (saveDue_) earliest(*saveDue_);
  if (!due) return std::nullopt;
  const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::clamp<SimDuration>(*due - now, SimDuration::zero(), std::chrono::hours(24)));
  timespec timeout{};
  timeout.tv_sec = static_cast<time_t>(wait.count() / 1'000'000'000);
  timeout.tv_nsec = static_cast<long>(wait.count() % 1'000'000'000);
  return timeout;
}

void SimRunner::ReadLine() {
  char buffer[4096];
  ssize_t count = read(line_->dataFd(), buffer, sizeof buffer);
  if (count > 0) {
    server_->Receive(std::string_view(buffer, static_cast<std::size_t>(count)), line_->Settings(), SimClock::now());
    return;
  }
  if (count < 0 && (errno == EAGAIN || errno == EINTR)) return;
  Report("the line is gone: " + std::string(count == 0 ? "end of file" : std::strerror(errno)));
  lineFailed_ = true;
}

void SimRunner::ReadStdin() {
  char buffer[1024];
  ssize_t count = read(0, buffer, sizeof buffer);
  if (count <= 0) {
    if (count < 0 && errno == EINTR) return;
    stdinOpen_ = false;  // end of input ends the console, not the simulator
    return;
  }
  stdinBuffer_.append(buffer, static_cast<std::size_t>(count));
  for (std::size_t end; (end = stdinBuffer_.find('\n')) != std::string::npos;) {
    std::string command = stdinBuffer_.substr(0, end);
    stdinBuffer_.erase(0, end + 1);
    Report(RunControlCommand(command, bus_, *server_, SimClock::now()));
  }
  if (stdinBuffer_.size() > 4096) stdinBuffer_.clear();
}

void SimRunner::WriteDue(SimTime now) {
  std::string bytes = server_->TakeDue(now);
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    ssize_t written = write(line_->dataFd(), bytes.data() + offset, bytes.size() - offset);
    if (written > 0) {
      offset += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    // Nobody reads the line and its buffer is full: a device does not care.
    return;
  }
}

void SimRunner::RunDueScript(SimTime now) {
  while (nextScriptEvent_ < script_.size() && ScriptTime(start_, script_[nextScriptEvent_].seconds) <= now) {
    const ScriptEvent& event = script_[nextScriptEvent_++];
    Report("script: " + event.command + ": " + RunControlCommand(event.command, bus_, *server_, now));
  }
}

void SimRunner::NoteMemoryChanges(SimTime now) {
  if (!state_ || saveDue_) return;
  std::uint64_t revisions = 0;
  for (const auto& unit : bus_.units()) revisions += unit.device->memoryRevision();
  if (revisions != savedRevisions_) saveDue_ = now + SaveDebounce;
}

void SimRunner::SaveState() {
  saveDue_.reset();
  if (!state_) return;
  std::uint64_t revisions = 0;
  for (const auto& unit : bus_.units()) {
    state_->SetUnit(unit.config.number, unit.config.type, unit.device->memory());
    revisions += unit.device->memoryRevision();
  }
  if (revisions == savedRevisions_ && revisions != 0) return;
  std::string error;
  if (!state_->Save(&error)) Report("cannot write state file " + state_->path() + ": " + error);
  savedRevisions_ = revisions;
}
