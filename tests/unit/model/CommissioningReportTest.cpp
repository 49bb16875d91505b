// The commissioning report of a known device: exactly the parameters that
// differ from the catalogue, grouped as the editor's tree shows them, and
// the device's setpoints, words, linearisation, cams and backup checksum.
#include <gtest/gtest.h>

#include "model/CommissioningReport.h"
#include "model/ReportDocument.h"
#include "platform/Sha256.h"

namespace {

const IniDocument kCatalogue = IniDocument::FromText(R"([007]
naam0=Cam 1 start
dec=9
[100]
naam0=Far away
default=5
[140]
dec=9
[141]
dec=9
[170]
dec=10
[171]
dec=10
[203]
naam0=Decimals of positions
default=2
[246]
naam0=Lin source
type=1
opties0=Off,Position
[256]
naam0=Cam 1 function
type=1
opties0=Off,Cam,">Limit"
[268]
default=1
[280]
type=1
opties0=Position,Velocity
)");
// Parameter 256 is shown in two nodes; the report names it once.
const IniDocument kParNo = IniDocument::FromText("[100]\nParId1=7\nParId2=256\nParId3=203\n[101]\nParId1=256\n[200]\nParId1=246\n");
const TreeFile kTree = ParseTreeFile("Machine\n\tCams\n\t\tCam 1\n\tLin\n");

std::string Shown(const std::string& value, const std::string& option) {
  return option.empty() ? value : value + " " + option;
}

ReportSource Source() {
  ReportSource source;
  auto& p = source.content.parameters;
  p[203] = 2;
  p[268] = 1;
  p[7] = 1250;
  p[256] = 1;
  p[100] = 9;
  p[246] = 1;
  p[247] = 2;
  p[141] = 1000;
  p[171] = 500;
  source.content.setpoints[3] = 12345;
  source.words[2041 - kFirstDeviceWord] = -12;
  source.catalogues = {&kCatalogue, &kParNo, 0};
  source.tree = &kTree;
  return source;
}

TEST(CommissioningReport, ListsWhatDiffersGroupedAsTheTree) {
  const struct {
    const char* heading;
    int number;
    const char* position;
    const char* value;
    const char* defaultValue;
  } expected[] = {
      {"Cams", 7, "1.0.1", "12,50", "0,00"},  {"Cams", 256, "1.0.2", "1 Cam", "0 Off"},
      {"Lin", 246, "2.0.1", "1 Position", "0 Off"}, {"", 100, "", "9", "5"},
      {"", 141, "", "10,00", "0,00"},         {"", 171, "", "500", "0"},
      {"", 247, "", "2", "0"},
  };
  const CommissioningReport report = BuildCommissioningReport(Source());
  std::vector<std::string> rows;
  for (const ReportedGroup& g : report.groups)
    for (const ReportedParameter& p : g.parameters)
      rows.push_back(g.heading + "|" + std::to_string(p.number) + "|" + p.position + "|" +
                     Shown(p.shown.Value, p.shown.Option) + "|" + Shown(p.defaultValue, p.defaultOption));
  std::vector<std::string> wanted;
  for (const auto& e : expected)
    wanted.push_back(std::string(e.heading) + "|" + std::to_string(e.number) + "|" + e.position + "|" + e.value + "|" +
                     e.defaultValue);
  EXPECT_EQ(rows, wanted);
}

TEST(CommissioningReport, CarriesTheDeviceTablesAndTheBackupsChecksum) {
  const ReportSource source = Source();
  const CommissioningReport report = BuildCommissioningReport(source);
  ASSERT_EQ(report.setpoints.size(), 24u);
  EXPECT_EQ(report.setpoints[2].value, "123,45");
  ASSERT_EQ(report.words.size(), 18u);
  EXPECT_EQ(report.words[2041 - kFirstDeviceWord].meaning, "DA Spanning Offset");
  EXPECT_EQ(report.words[2041 - kFirstDeviceWord].value, -12);
  EXPECT_EQ(report.words[0].meaning, "Smin spanning");
  ASSERT_TRUE(report.linearisationOn);
  ASSERT_EQ(report.linearisation.size(), 2u);
  EXPECT_EQ(report.linearisation[1].x, "10,00");
  ASSERT_EQ(report.cams.size(), 1u);
  EXPECT_EQ(report.cams[0].function, "Cam");
  EXPECT_EQ(report.cams[0].source, "Position");
  EXPECT_EQ(report.cams[0].start, "12,50");
  EXPECT_EQ(report.backupSha256, Sha256Hex(BackupFileBytes(source.content)));
  const std::string markdown = ReportMarkdown(LayoutReport(report, DefaultReportTexts()));
  EXPECT_NE(markdown.find("| 1.0.2 | 256 | Cam 1 function | 1 (Cam) | 0 (Off) |\n"), std::string::npos) << markdown;
}

}  // namespace
