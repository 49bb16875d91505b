// Reads and writes whole devices, as backup and restore do, against vq2x-sim
// with random line faults, and checks every value moved against the
// simulator's own state file. Not a test: prints counts, and fails only when
// a value was wrong or a run hung.
//
//   transfer_soak [--runs N] [--faults LIST] [--seed N] [--fast 0|1]
//
// N whole-device writes and N reads, alternating (default 50 each), with
// the simulator's --faults LIST (default about 1 % each of garbled, silent,
// late, split and doubled replies). The writes alternate between two
// contents, so every write changes every value. A run that stops is checked
// up to the item it stopped on: what a read received before it equals the
// device's value, and after a write the device holds the values sent before
// it, the old or the new value at it, and the old ones after it.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "comm/MainThreadInvoker.h"
#include "comm/PosixSerialPort.h"
#include "comm/QL200Protocol.h"
#include "comm/RkComm.h"
#include "model/Catalogue.h"
#include "model/LineCommand.h"
#include "model/ValueTransfer.h"
#include "platform/AtomicFile.h"
#include "platform/CommaList.h"
#include "platform/IniDocument.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
// Far beyond a whole run with every item resent once: a run still going
// then is stuck.
constexpr auto kRunLimit = std::chrono::seconds(120);
// The simulator writes its state file 200 ms after a change.
constexpr auto kStateSettles = std::chrono::milliseconds(600);
constexpr const char* kStateSection = "unit 0";

struct SoakOptions {
  int runs = 50;
  std::string faults = "garble=1,silent=1,late=1,split=1,double=1";
  std::string seed = "1";
  bool fast = false;  // replies end at their line end
};

std::optional<SoakOptions> ParseOptions(int argc, char** argv) {
  SoakOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--runs") options.runs = std::atoi(argv[i + 1]);
    else if (option == "--faults") options.faults = argv[i + 1];
    else if (option == "--seed") options.seed = argv[i + 1];
    else if (option == "--fast") options.fast = std::string(argv[i + 1]) == "1";
    else return std::nullopt;
  }
  if (argc % 2 == 0 || options.runs < 1) return std::nullopt;
  return options;
}

// vq2x-sim on a pseudo-terminal, for as long as the object lives.
class Simulator {
public:
  bool Start(std::vector<std::string> arguments) {
    int out[2];
    if (::pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    arguments.insert(arguments.begin(), {VQ2X_SIM_PATH, "--pty", "--no-stdin"});
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const bool spawned = ::posix_spawn(&pid_, VQ2X_SIM_PATH, &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned) port_ = FirstLine(out[0]);
    ::close(out[0]);
    return spawned && !port_.empty();
  }
  ~Simulator() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  const std::string& Port() const { return port_; }

private:
  static std::string FirstLine(int fd) {
    std::string line;
    char c = 0;
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, 10000) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  pid_t pid_ = -1;
  std::string port_;
};

std::string JoinValues(const std::int32_t* first, std::size_t count) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < count; ++i) items.push_back(std::to_string(first[i]));
  return JoinCommaList(items);
}

bool ReadValues(const IniDocument& state, const char* key, std::int32_t* first, std::size_t count) {
  const std::vector<std::string> items = ParseCommaList(state.ReadString(kStateSection, key, ""));
  if (items.size() != count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    const auto value = ParseWholeNumber(items[i]);
    if (!value) return false;
    first[i] = *value;
  }
  return true;
}

// The device's view: the parameters its "rp" answers and its setpoints.
std::optional<DeviceContent> ReadSimulatorState(const std::string& path) {
  const auto state = IniDocument::LoadFile(path);
  DeviceContent content;
  if (!state || !ReadValues(*state, "parameters", content.parameters.data(), kParameterCount) ||
      !ReadValues(*state, "setpoints", content.setpoints.data() + 1, kSetpointCount))
    return std::nullopt;
  return content;
}

bool WriteSimulatorState(const std::string& path, const DeviceContent& content) {
  IniDocument state;
  state.WriteString(kStateSection, "type", "VQ22");
  state.WriteString(kStateSection, "parameters", JoinValues(content.parameters.data(), kParameterCount));
  state.WriteString(kStateSection, "setpoints", JoinValues(content.setpoints.data() + 1, kSetpointCount));
  return state.SaveFile(path);
}

// The catalogue's defaults and setpoints 100 .. 2400; the other content
// differs in every value and stays inside the catalogue's limits.
std::pair<DeviceContent, DeviceContent> TwoContents(const IniDocument& catalogue) {
  DeviceContent a, b;
  a.parameters = Catalogue::DefaultTable(catalogue);
  for (int n = 0; n < kParameterCount; ++n) {
    const std::int32_t value = a.parameters[static_cast<std::size_t>(n)];
    b.parameters[static_cast<std::size_t>(n)] = value < Catalogue::Maximum(catalogue, n) ? value + 1 : value - 1;
  }
  for (int n = 1; n <= kSetpointCount; ++n) {
    a.setpoints[static_cast<std::size_t>(n)] = 100 * n;
    b.setpoints[static_cast<std::size_t>(n)] = -100 * n - 7;
  }
  return {a, b};
}

std::int32_t Item(const DeviceContent& content, const TransferStep& step) {
  const auto n = static_cast<std::size_t>(step.number);
  return step.phase == TransferPhase::Parameters ? content.parameters[n] : content.setpoints[n];
}

const char* EndName(TransferEnd::Kind kind) {
  switch (kind) {
    case TransferEnd::Kind::Finished: return "completed";
    case TransferEnd::Kind::ComputeFailed: return "completed, compute failed";
    case TransferEnd::Kind::Differs: return "completed, device holds values otherwise";
    case TransferEnd::Kind::Invalid: return "stopped: invalid reply";
    case TransferEnd::Kind::Refused: return "stopped: value refused";
    case TransferEnd::Kind::TimedOut: return "stopped: time-out";
    case TransferEnd::Kind::LineFault: return "stopped: line fault";
    case TransferEnd::Kind::Cancelled: return "stopped: cancelled";
  }
  return "?";
}

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The tool's side: the port and the read and write runs' components, set up
// as the read and write windows set theirs up.
class ToolLine {
public:
  ToolLine(const std::string& device, bool fast) {
    paths_->SetConfigured(TPort::COM1, device);
    port_.SetBaudrate(TBaudrate::br38400);
    port_.SetFastReplies(fast);
    port_.Open();
    WireLineCommand(select_, &port_, 0, {});
    WireLineCommand(read_, &port_, kReadReplyTimeoutMs, {});
    WireLineCommand(write_, &port_, kWriteReplyTimeoutMs, {});
    WireLineCommand(compute_, &port_, kComputeReplyTimeoutMs, {});
    // The runs take the components' events over, so they come after the wiring.
    reader_ = std::make_unique<ValueTransfer>(read_, nullptr);
    writer_ = std::make_unique<ValueTransfer>(write_, &compute_);
  }
  ~ToolLine() { port_.Close(); }

  // Selects unit 0; its reply, or its loss to a fault, does not matter.
  void SelectUnit() {
    bool done = false;
    select_.OnCommResult = [&](TRkProtocolComponent&, const ResultBytes&) { done = true; };
    select_.OnCommError = [&](TRkProtocolComponent&, TCommError&, const ResultBytes&) { done = true; };
    SendCommand(select_, "sc 0");
    for (auto until = Clock::now() + std::chrono::seconds(5); !done && Clock::now() < until;)
      invoker_.ServeFor(std::chrono::milliseconds(50));
  }

  // One run; no value when it did not end within kRunLimit.
  std::optional<TransferEnd> Run(ValueTransfer& transfer, const DeviceContent* send) {
    std::optional<TransferEnd> end;
    transfer.Ended = [&end](const TransferEnd& e) { end = e; };
    if (send) transfer.StartWrite(kTransferWholeDevice, *send);
    else transfer.StartRead(kTransferWholeDevice);
    for (auto until = Clock::now() + kRunLimit; !end && Clock::now() < until;)
      invoker_.ServeFor(std::chrono::milliseconds(100));
    if (end) return end;
    transfer.RequestCancel();
    for (auto until = Clock::now() + std::chrono::seconds(10); transfer.Running() && Clock::now() < until;)
      invoker_.ServeFor(std::chrono::milliseconds(100));
    return std::nullopt;
  }

  ValueTransfer& Reader() { return *reader_; }
  ValueTransfer& Writer() { return *writer_; }

private:
  ManualInvoker invoker_;
  std::shared_ptr<PortPaths> paths_ = std::make_shared<PortPaths>();
  TRkComm port_{invoker_, std::make_shared<PosixSerialBackend>(paths_)};
  TQL200Protocol select_, read_, write_, compute_;
  std::unique_ptr<ValueTransfer> reader_, writer_;
};

struct Tally {
  int runs[2] = {0, 0};       // reads, writes
  int completed[2] = {0, 0};
  std::map<std::string, int> ends;
  int hangs = 0;
  long checked = 0, wrong = 0;

  void Check(std::int32_t actual, bool matches, const char* what, const TransferStep& step) {
    ++checked;
    if (matches) return;
    if (++wrong <= 10)
      std::printf("WRONG after a %s: %s %d holds %d\n", what, step.phase == TransferPhase::Parameters ? "parameter"
                                                                                                       : "setpoint",
                  step.number, actual);
  }
};

// How many of the run's items moved for certain: all of a completed run,
// those before the item a stopped run ended on.
std::size_t ItemsMoved(const std::vector<TransferStep>& items, const TransferEnd& end) {
  if (end.kind == TransferEnd::Kind::Finished || end.kind == TransferEnd::Kind::ComputeFailed) return items.size();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == end.step) return i;
  return items.size();  // stopped at the compute step: every item was written
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: transfer_soak [--runs N] [--faults LIST] [--seed N] [--fast 0|1]\n");
    return 2;
  }
  char folderName[] = "/tmp/vq2x-soak-XXXXXX";
  if (!::mkdtemp(folderName)) return 1;
  const std::string folder = folderName;
  const std::string statePath = folder + "/state.ini", logPath = folder + "/sim.log";
  const auto catalogue = IniDocument::LoadFile(VQ2X_DATA_DIR "/Parameters.txt");
  if (!catalogue) return 1;
  const auto [contentA, contentB] = TwoContents(*catalogue);
  DeviceContent device = contentA;
  Tally tally;
  long firstKiB = 0, lastKiB = 0, mostKiB = 0;
  {
    Simulator sim;
    if (!WriteSimulatorState(statePath, device) ||
        !sim.Start({"--state", statePath, "--catalogue", VQ2X_DATA_DIR "/Parameters.txt", "--log", logPath,
                    "--faults", options->faults, "--seed", options->seed})) {
      std::fprintf(stderr, "transfer_soak: the simulator did not start\n");
      return 1;
    }
    ToolLine line(sim.Port(), options->fast);
    line.SelectUnit();
    ValueTransfer& reader = line.Reader();
    const std::vector<TransferStep> items = TransferSteps(kTransferWholeDevice, false);
    for (int run = 0; run < 2 * options->runs; ++run) {
      const bool write = run % 2 == 0;
      const DeviceContent& send = (run / 2) % 2 == 0 ? contentB : contentA;
      ++tally.runs[write];
      const auto end = line.Run(write ? line.Writer() : reader, write ? &send : nullptr);
      if (!end) {
        ++tally.hangs;
        std::printf("HANG: a %s did not end within %lld s\n", write ? "write" : "read",
                    static_cast<long long>(kRunLimit.count()));
        continue;
      }
      ++tally.ends[EndName(end->kind)];
      if (end->kind == TransferEnd::Kind::Invalid)
        std::printf("a %s stopped on an invalid reply \"%s\"%s\n", write ? "write" : "read", end->replyStart.c_str(),
                    TransferItemLabel(end->step).c_str());
      const std::size_t moved = ItemsMoved(items, *end);
      if (end->kind == TransferEnd::Kind::Finished || end->kind == TransferEnd::Kind::ComputeFailed)
        ++tally.completed[write];
      if (!write) {
        for (std::size_t i = 0; i < moved; ++i)
          tally.Check(Item(reader.Received(), items[i]),
                      Item(reader.Received(), items[i]) == Item(device, items[i]), "read", items[i]);
      } else {
        std::this_thread::sleep_for(kStateSettles);
        const auto held = ReadSimulatorState(statePath);
        if (!held) return std::fprintf(stderr, "transfer_soak: cannot read %s\n", statePath.c_str()), 1;
        for (std::size_t i = 0; i < items.size(); ++i) {
          const std::int32_t now = Item(*held, items[i]), sent = Item(send, items[i]), old = Item(device, items[i]);
          tally.Check(now, i < moved ? now == sent : i == moved ? now == sent || now == old : now == old, "write",
                      items[i]);
        }
        device = *held;
      }
      lastKiB = ResidentKiB();
      if (run == 0) firstKiB = lastKiB;
      mostKiB = std::max(mostKiB, lastKiB);
    }
  }
  std::map<std::string, int> faults;
  if (std::string log; ReadWholeFile(logPath, &log, 1u << 30))
    for (std::size_t at = 0; (at = log.find(" fault ", at)) != std::string::npos; at += 7)
      ++faults[log.substr(at + 7, log.find('\n', at) - at - 7)];
  std::filesystem::remove_all(folder);

  std::printf("line faults (%s, seed %s):", options->faults.c_str(), options->seed.c_str());
  for (const auto& [name, count] : faults) std::printf(" %s %d", name.c_str(), count);
  std::printf("\nruns: %d reads, %d writes; completed: %d reads, %d writes\n", tally.runs[0], tally.runs[1],
              tally.completed[0], tally.completed[1]);
  for (const auto& [name, count] : tally.ends) std::printf("  %-28s %d\n", name.c_str(), count);
  std::printf("hangs: %d\nvalues checked: %ld, wrong: %ld\n", tally.hangs, tally.checked, tally.wrong);
  std::printf("memory (RSS): %ld KiB after the first run, %ld KiB after the last, %ld KiB at most\n", firstKiB,
              lastKiB, mostKiB);
  return tally.wrong == 0 && tally.hangs == 0 ? 0 : 1;
}
