#include "model/ParameterFile.h"
#include "model/SetpointFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <unistd.h>

namespace {

ParameterValues SampleParameters() {
  ParameterValues parameters{};
  for (int n = 0; n < kParameterCount; ++n) parameters[n] = (n % 3 - 1) * n * 4567;
  parameters[1] = INT32_MIN;
  parameters[2] = INT32_MAX;
  return parameters;
}

SetpointValues SampleSetpoints() {
  SetpointValues setpoints{};
  for (int k = 1; k <= kSetpointCount; ++k) setpoints[k] = (k % 2 ? -1 : 1) * k * 99991;
  return setpoints;
}

std::string Line(char letter, int number, std::int32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%c%03d %d", letter, number, static_cast<int>(value));
  return text;
}

// The parameter file's lines as a person would write them from the format.
std::vector<std::string> ParameterLines() {
  std::vector<std::string> lines = {"ASCII Parameters VU2v-ARA   No: 7", ""};
  for (int n = 0; n < kParameterCount; ++n) lines.push_back(Line('P', n, SampleParameters()[n]));
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n", bool endLast = true) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += lines[i] + (i + 1 < lines.size() || endLast ? end : "");
  return text;
}

// File line of parameter n in ParameterLines(), counted from 1.
constexpr std::size_t LineOf(int n) { return static_cast<std::size_t>(n) + 3; }

TEST(ParameterFile, TextIsTheHeaderAnEmptyLineAndOneLinePerParameter) {
  const std::string text = ParameterFileText(SampleParameters(), 7);
  EXPECT_EQ(text, Join(ParameterLines()));
  EXPECT_EQ(text.substr(0, 54), "ASCII Parameters VU2v-ARA   No: 7\r\n\r\nP000 0\r\nP001 -214");
}

TEST(SetpointFile, TextCarriesParameter315AsLineZero) {
  ParameterValues parameters{};
  parameters[315] = -4321;
  std::vector<std::string> lines = {"ASCII Sollwerten VU2v-ARA   No: 31", "", "S000 -4321"};
  for (int k = 1; k <= kSetpointCount; ++k) lines.push_back(Line('S', k, SampleSetpoints()[k]));
  SetpointValues setpoints = SampleSetpoints();
  setpoints[0] = 555;  // unused slot: never written
  EXPECT_EQ(SetpointFileText(setpoints, parameters, 31), Join(lines));
}

struct ReadRow {
  const char* name;
  std::function<std::string()> text;
  ValueFileOutcome outcome;
  std::size_t line = 0;  // of a bad line
};

std::string Edited(const std::function<void(std::vector<std::string>&)>& edit, const std::string& end = "\r\n",
                   bool endLast = true) {
  std::vector<std::string> lines = ParameterLines();
  edit(lines);
  return Join(lines, end, endLast);
}

void Keep(std::vector<std::string>&) {}
auto Set(int parameter, std::string line) {
  return [=](std::vector<std::string>& lines) { lines[LineOf(parameter) - 1] = line; };
}
auto SetHeader(std::string header) {
  return [=](std::vector<std::string>& lines) { lines[0] = header; };
}

class ParameterFileReading : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ParameterFileReading, TakesWholeGoodFilesOnly) {
  const ParameterFileRead read = ReadParameterFile(GetParam().text());
  EXPECT_EQ(read.outcome, GetParam().outcome);
  EXPECT_EQ(read.line, GetParam().line);
  EXPECT_EQ(read.parameters, read.Loaded() ? SampleParameters() : ParameterValues{});
}

using O = ValueFileOutcome;
INSTANTIATE_TEST_SUITE_P(
    Files, ParameterFileReading,
    ::testing::Values(
        ReadRow{"AsWritten", [] { return Edited(Keep); }, O::Loaded},
        ReadRow{"LineFeeds", [] { return Edited(Keep, "\n"); }, O::Loaded},
        ReadRow{"CarriageReturns", [] { return Edited(Keep, "\r"); }, O::Loaded},
        ReadRow{"NoEndOnTheLastLine", [] { return Edited(Keep, "\r\n", false); }, O::Loaded},
        ReadRow{"ByteOrderMark", [] { return "\xEF\xBB\xBF" + Edited(Keep); }, O::Loaded},
        ReadRow{"EmptyLinesAnywhere",
                [] {
                  return Edited([](auto& lines) {
                    lines.erase(lines.begin() + 1);
                    lines.insert(lines.begin() + 50, {"", ""});
                    lines.push_back("");
                  });
                },
                O::Loaded},
        ReadRow{"AnyOrder", [] { return Edited([](auto& lines) { std::reverse(lines.begin() + 2, lines.end()); }); },
                O::Loaded},
        ReadRow{"FirstCharacterNotExamined", [] { return Edited(Set(9, Line('x', 9, SampleParameters()[9]))); },
                O::Loaded},
        ReadRow{"OtherUnitOrNone", [] { return Edited(SetHeader("ASCII Parameters VU2v-ARA")); }, O::Loaded},
        ReadRow{"OtherFamily", [] { return Edited(SetHeader("ASCII Sollwerten VU2v-ARA   No: 7")); }, O::WrongHeader},
        ReadRow{"HeaderCut", [] { return Edited(SetHeader("ASCII Parameters VU2v-AR")); }, O::WrongHeader},
        ReadRow{"HeaderInLowerCase", [] { return Edited(SetHeader("ascii parameters vu2v-ara   No: 7")); },
                O::WrongHeader},
        ReadRow{"HeaderNotOnLineOne", [] { return "\r\n" + Edited(Keep); }, O::WrongHeader},
        ReadRow{"EmptyFile", [] { return std::string(); }, O::WrongHeader},
        ReadRow{"Blanks", [] { return Edited(Set(0, "   ")); }, O::BadLine, LineOf(0)},
        ReadRow{"NoBlank", [] { return Edited(Set(4, "P0044")); }, O::BadLine, LineOf(4)},
        ReadRow{"BlankTooEarly", [] { return Edited(Set(4, "P04 4")); }, O::BadLine, LineOf(4)},
        ReadRow{"BlankTooLate", [] { return Edited(Set(4, "P0004 4")); }, O::BadLine, LineOf(4)},
        ReadRow{"NumberNotDigits", [] { return Edited(Set(4, "P0x4 4")); }, O::BadLine, LineOf(4)},
        ReadRow{"NegativeNumber", [] { return Edited(Set(4, "P-04 4")); }, O::BadLine, LineOf(4)},
        ReadRow{"NumberBeyond315", [] { return Edited(Set(315, "P316 0")); }, O::BadLine, LineOf(315)},
        ReadRow{"RepeatedNumber", [] { return Edited(Set(10, "P009 0")); }, O::BadLine, LineOf(10)},
        ReadRow{"OneLineTooMany", [] { return Edited([](auto& lines) { lines.push_back("P000 0"); }); }, O::BadLine,
                LineOf(316)},
        ReadRow{"TextAfterTheValues", [] { return Edited([](auto& lines) { lines.push_back("end"); }); }, O::BadLine,
                LineOf(316)},
        ReadRow{"OneLineMissing", [] { return Edited([](auto& lines) { lines.erase(lines.begin() + 100); }); },
                O::WrongCount},
        ReadRow{"HeaderOnly", [] { return std::string("ASCII Parameters VU2v-ARA   No: 7\r\n"); }, O::WrongCount}),
    [](const ::testing::TestParamInfo<ReadRow>& info) { return std::string(info.param.name); });

TEST(ParameterFile, ValuesAreStrictDecimalWholeNumbers) {
  struct Row {
    const char* text;
    std::optional<std::int32_t> value;  // none: refused
  };
  const Row rows[] = {
      {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"-0", 0}, {"007", 7}, {"2147483648", {}},
      {"-2147483649", {}},        {"+5", {}},                {"0x10", {}}, {"$10", {}}, {"1 5", {}},
      {" 5", {}},                 {"5 ", {}},                {"", {}},     {"-", {}},   {"--1", {}},
      {"1,5", {}},                {"1e3", {}},               {"5\t", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("value \"") + row.text + "\"");
    const ParameterFileRead read = ReadParameterFile(Edited(Set(7, std::string("P007 ") + row.text)));
    if (row.value) {
      ASSERT_EQ(read.outcome, ValueFileOutcome::Loaded);
      EXPECT_EQ(read.parameters[7], *row.value);
    } else {
      EXPECT_EQ(read.outcome, ValueFileOutcome::BadLine);
      EXPECT_EQ(read.line, LineOf(7));
    }
  }
}

TEST(SetpointFile, ReadsSetpointsAndChecksButDropsLineZero) {
  ParameterValues parameters{};
  parameters[315] = 123;
  const std::string good = SetpointFileText(SampleSetpoints(), parameters, 3);
  const SetpointFileRead read = ReadSetpointFile(good);
  ASSERT_EQ(read.outcome, ValueFileOutcome::Loaded);
  EXPECT_EQ(read.setpoints, SampleSetpoints()) << "index 0 stays 0";

  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  EXPECT_EQ(ReadSetpointFile(replaced("S000 123\r\n", "")).outcome, ValueFileOutcome::WrongCount);
  EXPECT_EQ(ReadSetpointFile(replaced("S000 123", "S000 x")).outcome, ValueFileOutcome::BadLine);
  EXPECT_EQ(ReadSetpointFile(replaced("S024", "S025")).outcome, ValueFileOutcome::BadLine);
  EXPECT_EQ(ReadSetpointFile(ParameterFileText(SampleParameters(), 3)).outcome, ValueFileOutcome::WrongHeader);
  EXPECT_EQ(ReadParameterFile(good).outcome, ValueFileOutcome::WrongHeader);
}

TEST(ValueFiles, AnyBytesGiveAResultAndARefusalHandsOutNothing) {
  const std::string good = SetpointFileText(SampleSetpoints(), SampleParameters(), 0);
  std::mt19937 generator(7);
  const char alphabet[] = {'\r', '\n', ' ', '-', '0', '9', 'S', '\0', '\xEF', '\xFF'};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = good.substr(0, generator() % (good.size() + 1));
    for (int flips = static_cast<int>(generator() % 4); flips > 0 && !bytes.empty(); --flips)
      bytes[generator() % bytes.size()] = alphabet[generator() % sizeof alphabet];
    const SetpointFileRead setpoints = ReadSetpointFile(bytes);
    if (!setpoints.Loaded()) {
      EXPECT_EQ(setpoints.setpoints, SetpointValues{}) << "round " << round;
    }
    const ParameterFileRead parameters = ReadParameterFile(bytes);
    EXPECT_FALSE(parameters.Loaded()) << "a setpoint file never passes as a parameter file";
    EXPECT_EQ(parameters.parameters, ParameterValues{});
  }
}

class ValueFileOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vq2x-valuefile-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

TEST_F(ValueFileOnDisk, SavedFilesLoadBack) {
  std::string error;
  ASSERT_TRUE(SaveParameterFile(Path("a.vqp"), SampleParameters(), 2, &error)) << error;
  const ParameterFileRead parameters = LoadParameterFile(Path("a.vqp"));
  ASSERT_EQ(parameters.outcome, ValueFileOutcome::Loaded) << parameters.systemText;
  EXPECT_EQ(parameters.parameters, SampleParameters());

  ASSERT_TRUE(SaveSetpointFile(Path("a.vqs"), SampleSetpoints(), SampleParameters(), 2, &error)) << error;
  const SetpointFileRead setpoints = LoadSetpointFile(Path("a.vqs"));
  ASSERT_EQ(setpoints.outcome, ValueFileOutcome::Loaded) << setpoints.systemText;
  EXPECT_EQ(setpoints.setpoints, SampleSetpoints());
}

TEST_F(ValueFileOnDisk, FailuresCarryTheSystemsText) {
  const ParameterFileRead missing = LoadParameterFile(Path("missing.vqp"));
  EXPECT_EQ(missing.outcome, ValueFileOutcome::CannotOpen);
  EXPECT_NE(missing.systemText.find("No such file"), std::string::npos) << missing.systemText;

  std::ofstream(Path("huge.vqs")) << SetpointFileText(SampleSetpoints(), SampleParameters(), 0);
  std::filesystem::resize_file(Path("huge.vqs"), kMaxValueFileSize + 1);
  const SetpointFileRead huge = LoadSetpointFile(Path("huge.vqs"));
  EXPECT_EQ(huge.outcome, ValueFileOutcome::CannotOpen);
  EXPECT_FALSE(huge.systemText.empty());

  std::string error;
  EXPECT_FALSE(SaveParameterFile(Path("no-such-folder/a.vqp"), SampleParameters(), 0, &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  EXPECT_FALSE(SaveSetpointFile(Path("no-such-folder/a.vqs"), SampleSetpoints(), SampleParameters(), 0, &error));
}

}  // namespace
