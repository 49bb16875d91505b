// vq2x run as a script runs it, against vq2x-sim on a pseudo-terminal:
// what it prints, how it ends, and what the device heard.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <fstream>
#include <regex>
#include <set>

#include "ProcessRunner.h"
#include "cli/CliOutput.h"
#include "comm/TranscriptReader.h"
#include "platform/Sha256.h"

namespace {

namespace fs = std::filesystem;

// The commands the simulator's log says it received, in order.
std::vector<std::string> Heard(const fs::path& log) {
  std::vector<std::string> commands;
  std::ifstream in(log);
  const std::regex received(R"(^\S+ rx "(.*)\\r"$)");
  std::smatch m;
  for (std::string line; std::getline(in, line);)
    if (std::regex_match(line, m, received)) commands.push_back(m[1]);
  return commands;
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The bytes the simulator's log says it received ("rx") or sent ("tx").
std::vector<std::string> SimTraffic(const fs::path& log, const std::string& direction) {
  std::vector<std::string> traffic;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = line.find(" " + direction + " \"");
    std::string_view field = std::string_view(line).substr(at == std::string::npos ? line.size() : at + 4);
    if (auto bytes = UnquoteBytes(field)) traffic.push_back(*bytes);
  }
  return traffic;
}

class CliSim : public ::testing::Test {
protected:
  CliSim() : folder_(fs::temp_directory_path() / ("vq2x-cli-" + std::to_string(getpid()))) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "application.ini") << "";
  }
  ~CliSim() override { fs::remove_all(folder_); }

  // A simulator with these units; its log is log(index).
  BackgroundProcess& Simulator(std::vector<std::string> units, std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments{"--pty", "--no-stdin", "--log", Log(sims_.size()).string()};
    for (const std::string& unit : units) arguments.insert(arguments.end(), {"--unit", unit});
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    sims_.push_back(std::make_unique<BackgroundProcess>(VQ2X_SIM_PATH, arguments));
    return *sims_.back();
  }
  fs::path Log(std::size_t sim) const { return folder_ / ("sim" + std::to_string(sim) + ".log"); }
  fs::path File(const std::string& name) const { return folder_ / name; }

  // vq2x on the simulator's line, unless the arguments name another port.
  ProgramRun Vq2x(const BackgroundProcess& sim, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--config", (folder_ / "application.ini").string(), "--quiet"});
    if (std::find(arguments.begin(), arguments.end(), "--port") == arguments.end())
      arguments.insert(arguments.begin(), {"--port", sim.FirstLine()});
    return RunProgram(VQ2X_CLI_PATH, arguments);
  }

  fs::path folder_;
  std::vector<std::unique_ptr<BackgroundProcess>> sims_;
};

TEST_F(CliSim, InfoIdentifiesTheUnitWithTheToolsFourCommands) {
  const BackgroundProcess& sim = Simulator({"3:VQ22"});
  const ProgramRun run = Vq2x(sim, {"--unit", "3", "--json", "info"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"type\": \"VQ22"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"serial\": \"SN 2211-03-0417\""), std::string::npos) << run.out;
  EXPECT_EQ(Heard(Log(0)), (std::vector<std::string>{"sc 3", "rt", "rh", "rx"}));
}

// A changed device backed up at the silence-ended pace, restored into a fresh
// one and backed up again with fast transfers: the two backups are the same
// bytes, and the fresh device heard the whole write and the compute, nothing
// else. The other cases run fast to keep the suite short.
TEST_F(CliSim, BackupRestoredIntoAnotherDeviceMakesItTheSame) {
  const BackgroundProcess& source = Simulator({"0:VQ22"});
  ASSERT_EQ(Vq2x(source, {"set", "203=3"}).status, 0);
  const ProgramRun set = Vq2x(source, {"set", "7=12.5"});
  ASSERT_EQ(set.status, 0) << set.err;
  const ProgramRun backup = Vq2x(source, {"backup", "-o", File("a.bak").string()});
  ASSERT_EQ(backup.status, 0) << backup.err;
  ASSERT_EQ(fs::file_size(File("a.bak")), 16020u);

  const BackgroundProcess& target = Simulator({"0:VQ22"});
  const ProgramRun restore = Vq2x(target, {"--fast", "restore", File("a.bak").string(), "--yes"});
  ASSERT_EQ(restore.status, 0) << restore.err;
  const std::vector<std::string> heard = Heard(Log(1));
  ASSERT_EQ(heard.size(), 4u + 316u + 24u + 1u);
  EXPECT_EQ(heard[4], "wp 0 0");
  EXPECT_EQ(heard[4 + 7], "wp 7 12500");
  EXPECT_EQ(heard.back(), "bp");
  ASSERT_EQ(Vq2x(target, {"--fast", "backup", "-o", File("b.bak").string()}).status, 0);
  EXPECT_EQ(Bytes(File("a.bak")), Bytes(File("b.bak")));
}

// A device that starts at the catalogue's defaults, with three values changed.
TEST_F(CliSim, AReportNamesExactlyTheChangedParametersAndTheChecksumOfTheBackup) {
  const fs::path catalogue = fs::path(VQ2X_CLI_PATH).parent_path() / "Parameters.txt";
  const BackgroundProcess& sim = Simulator({"0:VQ22"}, {"--catalogue", catalogue.string()});
  ASSERT_EQ(Vq2x(sim, {"--fast", "set", "7=12.5", "8=3", "94=1,5"}).status, 0);
  const ProgramRun run = Vq2x(sim, {"--fast", "--json", "report", "-o", File("r.md").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Vq2x(sim, {"--fast", "backup", "-o", File("a.bak").string()}).status, 0);
  const Json report = Json::parse(run.out)["report"];
  std::set<std::string> changed;
  for (const Json& group : report["changed"])
    for (const Json& p : group["parameters"])
      changed.insert(std::to_string(p["number"].get<int>()) + " " + p["value"].get<std::string>() + " " +
                     p["default"].get<std::string>());
  EXPECT_EQ(changed, (std::set<std::string>{"7 12,50 0,00", "8 3,00 0,00", "94 1,500 0,000"}));
  EXPECT_EQ(report["setpoints"].size(), 24u);
  EXPECT_EQ(report["calibration"].size(), 18u);
  EXPECT_EQ(report["backupSha256"], Sha256Hex(Bytes(File("a.bak"))));
  const std::string markdown = Bytes(File("r.md"));
  EXPECT_NE(markdown.find("| 007 | Cam 1 start | 12,50 | 0,00 |"), std::string::npos) << markdown;
  EXPECT_NE(markdown.find(Sha256Hex(Bytes(File("a.bak")))), std::string::npos);
}

// Every command the device heard is in the transcript, in order, with the
// reply it gave; the simulator answering from the transcript gives the
// same backup.
TEST_F(CliSim, ATranscriptOfABackupReplaysIntoTheSameBackup) {
  const BackgroundProcess& source = Simulator({"0:VQ22"});
  const ProgramRun run = Vq2x(source, {"--fast", "--log", File("t.txt").string(), "backup", "-o", File("a.bak").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const TranscriptRead transcript = ReadTranscript(Bytes(File("t.txt")));
  EXPECT_TRUE(transcript.recognised && transcript.problems.empty());
  std::vector<std::string> sent, replies;
  for (const TranscriptEvent& e : transcript.events) {
    if (e.kind != TranscriptEvent::Kind::Exchange) continue;
    sent.push_back(e.sent);
    if (!e.replies.empty()) replies.push_back(e.replies.back());
  }
  EXPECT_EQ(sent.size(), 4u + 316u + 24u);
  EXPECT_EQ(sent, SimTraffic(Log(0), "rx"));
  EXPECT_EQ(replies, SimTraffic(Log(0), "tx"));

  const BackgroundProcess& replay = Simulator({}, {"--replay", File("t.txt").string()});
  ASSERT_EQ(Vq2x(replay, {"--fast", "backup", "-o", File("b.bak").string()}).status, 0);
  EXPECT_EQ(Bytes(File("a.bak")), Bytes(File("b.bak")));
}

std::size_t Heard(const std::vector<std::string>& heard, std::size_t from, const std::string& start) {
  return static_cast<std::size_t>(std::count_if(heard.begin() + static_cast<std::ptrdiff_t>(from), heard.end(),
                                                [&](const std::string& c) { return c.starts_with(start); }));
}

// Three values changed in the device: the diff with the file read before
// names exactly them; a write of only what changed sends three "wp" and one
// "bp", and reads just those back.
TEST_F(CliSim, DiffNamesTheChangedValuesAndAChangedOnlyWriteSendsJustThose) {
  const BackgroundProcess& sim = Simulator({"0:VQ22"});
  const std::string file = File("a.vqp").string();
  ASSERT_EQ(Vq2x(sim, {"--fast", "read", "-o", file}).status, 0);
  ASSERT_EQ(Vq2x(sim, {"diff", file, file}).status, 0);
  ASSERT_EQ(Vq2x(sim, {"set", "--raw", "7=4321", "8=-17", "31=8765"}).status, 0);
  const ProgramRun diff = Vq2x(sim, {"--fast", "--json", "diff", file, "device"});
  EXPECT_EQ(diff.status, 1) << diff.err;
  const nlohmann::json rows = nlohmann::json::parse(diff.out)["rows"];
  ASSERT_EQ(rows.size(), 3u) << diff.out;
  EXPECT_EQ(rows[0]["name"], "Cam 1 start");
  EXPECT_EQ((std::vector<int>{rows[0]["b_raw"], rows[1]["b_raw"], rows[2]["b_raw"]}),
            (std::vector<int>{4321, -17, 8765}));

  const std::size_t before = Heard(Log(0)).size();
  const ProgramRun write = Vq2x(sim, {"--fast", "write", file, "--changed-only", "--verify"});
  EXPECT_EQ(write.status, 0) << write.err;
  const std::vector<std::string> heard = Heard(Log(0));
  EXPECT_EQ(Heard(heard, before, "wp "), 3u);
  EXPECT_EQ(Heard(heard, before, "bp"), 1u);
  EXPECT_EQ(std::vector<std::string>(heard.end() - 3, heard.end()),
            (std::vector<std::string>{"rp 7", "rp 8", "rp 31"}));
}

// The device keeps cam 1's start within -1000 .. 1000 without a word: the
// checked write reads it back after "bp" and reports both values.
TEST_F(CliSim, VerifyReportsAValueTheDeviceClamped) {
  std::ofstream(File("limits.txt")) << "[007]\nmin=-1000\nmax=1000\n";
  const BackgroundProcess& sim = Simulator({"0:VQ22"}, {"--clamp", "--catalogue", File("limits.txt").string()});
  const ProgramRun run = Vq2x(sim, {"--json", "set", "--raw", "7=5000", "8=500", "--verify"});
  EXPECT_EQ(run.status, 1) << run.err;
  const nlohmann::json held = nlohmann::json::parse(run.out)["verify"]["rows"];
  ASSERT_EQ(held.size(), 1u) << run.out;
  EXPECT_EQ((std::vector<int>{held[0]["number"], held[0]["written_raw"], held[0]["device_raw"]}),
            (std::vector<int>{7, 5000, 1000}));
  const std::vector<std::string> heard = Heard(Log(0));
  EXPECT_EQ(std::vector<std::string>(heard.end() - 5, heard.end()),
            (std::vector<std::string>{"wp 7 5000", "wp 8 500", "bp", "rp 7", "rp 8"}));
}

// Unit 3's backup restored into unit 5 with its line identity kept:
// parameters 0, 1 and 2 are not written, and unit 5 answers as itself.
TEST_F(CliSim, ACloneKeepsTheUnitsNumberAndLineSettings) {
  const BackgroundProcess& sim = Simulator({"3:VQ22", "5:VQ22"});
  ASSERT_EQ(Vq2x(sim, {"--unit", "3", "set", "--raw", "0=3", "1=3", "7=777"}).status, 0);
  ASSERT_EQ(Vq2x(sim, {"--unit", "5", "set", "--raw", "0=5", "1=7"}).status, 0);
  ASSERT_EQ(Vq2x(sim, {"--fast", "--unit", "3", "backup", "-o", File("u3.bak").string()}).status, 0);
  const std::size_t before = Heard(Log(0)).size();
  const ProgramRun restore =
      Vq2x(sim, {"--fast", "--unit", "5", "restore", File("u3.bak").string(), "--keep-line-identity", "--yes"});
  EXPECT_EQ(restore.status, 0) << restore.err;
  const std::vector<std::string> heard = Heard(Log(0));
  EXPECT_EQ(Heard(heard, before, "wp "), 313u);
  for (const char* identity : {"wp 0 ", "wp 1 ", "wp 2 "}) EXPECT_EQ(Heard(heard, before, identity), 0u);
  const ProgramRun unit5 = Vq2x(sim, {"--unit", "5", "--json", "get", "0", "1", "7"});
  ASSERT_EQ(unit5.status, 0) << unit5.err;
  const nlohmann::json p = nlohmann::json::parse(unit5.out)["parameters"];
  EXPECT_EQ((std::vector<int>{p[0]["raw"], p[1]["raw"], p[2]["raw"]}), (std::vector<int>{5, 7, 777}));
}

TEST_F(CliSim, EveryUnitOfALineIsAttemptedAndSavedInItsOwnFile) {
  const BackgroundProcess& sim = Simulator({"1:VQ22", "5:VQ20", "7:VQ21"});
  const ProgramRun run = Vq2x(sim, {"--fast", "--units", "1,2,5,7", "backup", "-o", File("line-{unit}-{serial}.bak").string()});
  EXPECT_EQ(run.status, 3) << "unit 2 does not answer";
  EXPECT_NE(run.err.find("unit 2: no reply to \"sc 2\""), std::string::npos) << run.err;
  for (const char* name : {"line-1-SN_2211-01-0417.bak", "line-5-SN_2211-05-0417.bak", "line-7-SN_2211-07-0417.bak"})
    EXPECT_EQ(fs::file_size(File(name)), 16020u) << name;
}

// The search goes through the rates asked for, at the port's framing: every
// unit once per rate, and the three type queries of each unit found.
TEST_F(CliSim, ScanListsEachUnitAtTheRateItAnswersAt) {
  const BackgroundProcess& sim = Simulator({"1:VQ22:38400", "7:VQ20:19200"});
  const ProgramRun run = Vq2x(sim, {"--framing", "8N1", "scan", "--bauds", "19200,38400"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "unit 7\t19200 8N1\tVQ20 V2.14   VQ20-3 PCB 4471 rev C   SN 2211-07-0417\n"
                     "unit 1\t38400 8N1\tVQ22 V2.14   VQ22-3 PCB 4471 rev C   SN 2211-01-0417\n");
  const std::vector<std::string> heard = Heard(Log(0));
  EXPECT_EQ(heard.size(), 2u * 32u + 2u * 3u);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "sc 31"), 2);
}

struct ExitCase {
  const char* name;
  std::vector<std::string> simArguments;
  std::vector<std::string> arguments;
  int status;
  std::string said;
  bool sendsNothing;
};

class CliExit : public CliSim, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(CliExit, EachFailureHasItsStatusAndOneClearLine) {
  const ExitCase& c = GetParam();
  std::ofstream(File("bad.vqp")) << "ASCII Parameters VU2v-ARA   No: 0\r\n\r\nP000 x\r\n";
  std::string vqp = "ASCII Parameters VU2v-ARA   No: 0\r\n\r\n";
  for (int n = 0; n < 316; ++n) {
    char line[16];
    std::snprintf(line, sizeof line, "P%03d %d\r\n", n, n == 0 ? 99 : 0);
    vqp += line;
  }
  std::ofstream(File("refused.vqp")) << vqp;
  const BackgroundProcess& sim = Simulator({"0:VQ22"}, c.simArguments);
  std::vector<std::string> arguments = c.arguments;
  for (std::string& a : arguments) a = std::regex_replace(a, std::regex("DIR"), folder_.string());
  const ProgramRun run = Vq2x(sim, arguments);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  if (c.sendsNothing) {
    EXPECT_TRUE(Heard(Log(0)).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, CliExit,
    ::testing::Values(
        ExitCase{"ValueBeyondItsLimits", {}, {"set", "0=32"}, 2, "outside 0 .. 31", true},
        ExitCase{"SilentUnit", {}, {"--unit", "9", "info"}, 3, "no reply to \"sc 9\"", false},
        ExitCase{"RefusedValue", {}, {"write", "DIR/refused.vqp"}, 4, "refused \"wp 0 99\"", false},
        ExitCase{"MalformedFile", {}, {"write", "DIR/bad.vqp"}, 5, "line 3", true},
        ExitCase{"NoSuchPort", {}, {"--port", "DIR/no-such-port", "info"}, 6, "cannot open", true},
        ExitCase{"NotTheAnswer", {"--garble", "1"}, {"info"}, 7, "is not its answer", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
