// Two sets of values compared row by row: what differs, how each side's
// value is shown, what is flagged, and the sides that files give.
#include "model/ParameterComparison.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "model/ParameterFile.h"

namespace {

const IniDocument kParameters = IniDocument::FromText(R"([007]
naam1=Cam start
dec=2
min=-100
max=5000
[252]
naam1=Output
type=1
opties1=Off,On
max=1
)");
const IniDocument kParNo = IniDocument::FromText("[0]\nParId1=7\n[601]\nParId2=7\n");
const EditorCatalogues kCatalogues{&kParameters, &kParNo, 1};

CompareSide Side(std::map<int, std::int32_t> parameters, std::map<int, std::int32_t> setpoints = {},
                 std::optional<int> unit = {}, std::string type = {}) {
  CompareSide side;
  for (const auto& [n, v] : parameters) side.content.parameters[static_cast<std::size_t>(n)] = v;
  for (const auto& [n, v] : setpoints) side.content.setpoints[static_cast<std::size_t>(n)] = v;
  side.setpoints = !setpoints.empty();
  side.parameters = !parameters.empty() || setpoints.empty();
  side.unit = unit;
  side.deviceType = std::move(type);
  return side;
}

// "007 Cam start 12,50 | -0,05 @6.0.2", a "!" after a value beyond its limits.
std::string Describe(const ComparisonRow& row) {
  return row.number + " " + row.name + " " + row.a + (row.aOutsideLimits ? "!" : "") + " | " + row.b +
         (row.bOutsideLimits ? "!" : "") + " @" + row.position;
}

struct CompareCase {
  const char* name;
  CompareSide a, b;
  int compared;
  std::vector<std::string> differing;
  bool otherUnit = false, otherType = false;
};

[[maybe_unused]] void PrintTo(const CompareCase& c, std::ostream* out) { *out << c.name; }

class Comparing : public ::testing::TestWithParam<CompareCase> {};

TEST_P(Comparing, ListsWhatDiffersAsTheEditorShowsIt) {
  const CompareCase& c = GetParam();
  const Comparison comparison = Compare(c.a, c.b, kCatalogues);
  EXPECT_EQ(comparison.compared, c.compared);
  EXPECT_EQ(comparison.different, static_cast<int>(c.differing.size()));
  EXPECT_EQ(comparison.equal, c.compared - comparison.different);
  std::vector<std::string> differing;
  for (const ComparisonRow& row : comparison.rows)
    if (row.differs) differing.push_back(Describe(row));
  EXPECT_EQ(differing, c.differing);
  EXPECT_EQ(comparison.otherUnit, c.otherUnit);
  EXPECT_EQ(comparison.otherType, c.otherType);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Comparing,
    ::testing::Values(
        CompareCase{"Equal", Side({{7, 1250}}), Side({{7, 1250}}), 316, {}},
        CompareCase{"DecimalsAndOptions",
                    Side({{7, 1250}, {252, 1}}),
                    Side({{7, -5}, {252, 0}}),
                    316,
                    {"007 Cam start 12,50 | -0,05 @6.1.2", "252 Output On | Off @"}},
        CompareCase{"ValueBeyondItsLimits", Side({{7, 0}}), Side({{7, 6000}}), 316,
                    {"007 Cam start 0,00 | 60,00! @6.1.2"}},
        CompareCase{"SetpointsWithTheOtherSidesDecimals", Side({}, {{3, 1500}}),
                    Side({{203, 2}}, {{3, 1400}}), 24, {"003  15,00 | 14,00 @"}},
        CompareCase{"AnotherUnit", Side({{0, 3}}, {}, 3), Side({{0, 5}}, {}, 5), 316, {"000  3 | 5 @"}, true},
        CompareCase{"AnotherType", Side({}, {}, 1, "VQ22 V2.14"), Side({}, {}, 1, "VQ20 V2.14"), 316, {}, false,
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

// A file gives its side whole or not at all, with the unit it names.
TEST(CompareFiles, EachKindGivesItsValuesAndItsUnit) {
  const auto dir = std::filesystem::temp_directory_path() / ("vq2x-compare-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  ParameterValues values{};
  values[7] = 1234;
  DeviceContent device;
  device.parameters[0] = 3;
  device.setpoints[24] = 5;
  const std::string vqpPath = (dir / "a.vqp").string(), bakPath = (dir / "a.BAK").string();
  ASSERT_TRUE(SaveParameterFile(vqpPath, values, 7) && SaveBackupFile(bakPath, device));
  const CompareFileRead vqp = LoadCompareFile(vqpPath), bak = LoadCompareFile(bakPath);
  ASSERT_TRUE(vqp.Loaded() && bak.Loaded());
  EXPECT_EQ(vqp.side.unit, 7);
  EXPECT_EQ(vqp.side.content.parameters[7], 1234);
  EXPECT_FALSE(vqp.side.setpoints);
  EXPECT_EQ(bak.side.unit, 3);
  EXPECT_EQ(bak.side.content, device);
  EXPECT_EQ(LoadCompareFile((dir / "none.vqs").string()).outcome, ValueFileOutcome::CannotOpen);
  std::filesystem::remove_all(dir);
}

}  // namespace
