// The command line's arguments: good calls give the call to run, bad ones
// a status of 2 and one line that names what is wrong, before anything
// could be sent.
#include <gtest/gtest.h>

#include "cli/CliCall.h"
#include "model/Global_var.h"

namespace {

struct ArgumentCase {
  const char* name;
  std::vector<std::string> arguments;
  int status;
  std::string said;  // part of the message (bad calls) or of the output (help, version)
};

class CliArguments : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(CliArguments, EachCallIsTakenOrRefusedWithItsReason) {
  const ArgumentCase& c = GetParam();
  const ParsedCall parsed = ParseCommandLine(c.arguments);
  EXPECT_EQ(parsed.status, c.status);
  EXPECT_EQ(parsed.call.has_value(), c.said.empty()) << parsed.err;
  EXPECT_NE((parsed.err + parsed.out).find(c.said), std::string::npos) << parsed.err << parsed.out;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CliArguments,
    ::testing::Values(
        ArgumentCase{"GetByNumber", {"--port", "COM3", "--unit", "5", "get", "7", "203"}, 0, ""},
        ArgumentCase{"BackupOfALine", {"--units", "1,3,5-7", "backup", "-o", "line-{unit}.bak"}, 0, ""},
        ArgumentCase{"GlobalOptionAfterTheCommand", {"info", "--port", "/dev/ttyUSB0", "--json"}, 0, ""},
        ArgumentCase{"UnitOutOfRange", {"--unit", "32", "info"}, 2, "--unit 32: expected 0..31"},
        ArgumentCase{"UnitListBackwards", {"--units", "5-3", "info"}, 2, "--units 5-3"},
        ArgumentCase{"UnitAndUnits", {"--unit", "1", "--units", "2,3", "info"}, 2, "either --unit or --units"},
        ArgumentCase{"UnitsWithoutPlaceholder", {"--units", "1,3", "backup", "-o", "x.bak"}, 2, "must hold {unit}"},
        ArgumentCase{"UnitsWithSet", {"--units", "1,2", "set", "7=1"}, 2, "--units does not go with set"},
        ArgumentCase{"NoSuchBaudRate", {"--baud", "1000", "info"}, 2, "not a baud rate"},
        ArgumentCase{"NoSuchFraming", {"--framing", "8X1", "info"}, 2, "--framing 8X1"},
        ArgumentCase{"NoSuchLanguage", {"--language", "fr", "info"}, 2, "nl, en or de"},
        ArgumentCase{"GetWithoutNumbers", {"get"}, 2, "give parameter numbers or --all"},
        ArgumentCase{"GetBeyondTheLast", {"get", "316"}, 2, "0..315"},
        ArgumentCase{"SetWithoutValue", {"set", "7"}, 2, "N=VALUE"},
        ArgumentCase{"ReadIntoUnknownFile", {"read", "-o", "x.txt"}, 2, ".vqp, .vqs or .bak"},
        ArgumentCase{"WriteABackup", {"write", "x.bak"}, 2, ".vqp or .vqs"},
        ArgumentCase{"ReportOfALineWithTranscript", {"--log", "t.txt", "--units", "1-3", "report", "-o", "u{unit}.json"}, 0, ""},
        ArgumentCase{"ReportAsPdf", {"report", "-o", "x.pdf"}, 2, ".md (Markdown) or .json"},
        ArgumentCase{"ReportOfALineIntoOneFile", {"--units", "1,2", "report", "-o", "x.md"}, 2, "must hold {unit}"},
        ArgumentCase{"WatchUnknownValue", {"watch", "speed"}, 2, "not a live value"},
        ArgumentCase{"WatchTooFast", {"watch", "--interval", "5"}, 2, "--interval 5"},
        ArgumentCase{"ScanUnknownRate", {"scan", "--bauds", "9600,300"}, 2, "300 is not a baud rate"},
        ArgumentCase{"ChangedOnlyCheckedWrite", {"write", "a.vqp", "--changed-only", "--verify"}, 0, ""},
        ArgumentCase{"CloneKeepingTheLineIdentity", {"restore", "a.bak", "--keep-line-identity", "--verify"}, 0, ""},
        ArgumentCase{"DiffOfTwoFiles", {"diff", "a.VQP", "defaults"}, 0, ""},
        ArgumentCase{"DiffOfTheDeviceWithItself", {"diff", "device", "device"}, 2, "with a file or the defaults"},
        ArgumentCase{"DiffOfParametersWithSetpoints", {"diff", "a.vqp", "b.vqs"}, 2, "nothing in common"},
        ArgumentCase{"DiffOfAnUnknownFile", {"diff", "a.txt"}, 2, "diff a.txt: expected device, defaults"},
        ArgumentCase{"DiffOfTwoFilesForUnits", {"--units", "1,2", "diff", "a.vqp", "b.bak"}, 2, "against the device"},
        ArgumentCase{"ChangedOnlyWithSet", {"set", "7=1", "--changed-only"}, 2, "--changed-only"},
        ArgumentCase{"VerifyWithRead", {"read", "-o", "a.vqp", "--verify"}, 2, "--verify"},
        ArgumentCase{"NoCommand", {"--port", "COM1"}, 2, "subcommand"},
        ArgumentCase{"HelpOfACommand", {"backup", "--help"}, 0, "Example:"},
        ArgumentCase{"Version", {"--version"}, 0, VersionText}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliArguments, ValuesReachTheCall) {
  const ParsedCall parsed =
      ParseCommandLine({"--fast", "--baud", "38400", "--framing", "7o2", "--units", "7,1,3-4,3", "--language", "de", "read",
                        "-o", "u{unit}.vqs"});
  ASSERT_TRUE(parsed.call);
  const GlobalOptions& g = parsed.call->global;
  EXPECT_EQ(g.baudrate, TBaudrate::br38400);
  ASSERT_TRUE(g.framing);
  EXPECT_EQ(g.framing->dataBits, TDataBit::db_7);
  EXPECT_EQ(g.framing->parity, TParityBit::Odd);
  EXPECT_EQ(g.framing->stopBits, TStopBit::sb_2);
  EXPECT_EQ(g.units, (std::vector<int>{1, 3, 4, 7}));
  EXPECT_EQ(g.language, 2);
  EXPECT_TRUE(g.fast);
  const ParsedCall diff = ParseCommandLine({"diff", "a.bak", "--all"});
  ASSERT_TRUE(diff.call);
  EXPECT_EQ(diff.call->operands, (std::vector<std::string>{"a.bak", "device"}));
  EXPECT_TRUE(diff.call->all);
}

}  // namespace
