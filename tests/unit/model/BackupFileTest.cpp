#include "model/BackupFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "BackupFileTestSupport.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(BackupFile, BytesAreTheMarkersAndLittleEndianSlots) {
  DeviceContent content;
  content.parameters[0] = -1;
  content.parameters[315] = 0x01020304;
  content.setpoints[1] = 2;
  content.setpoints[24] = 5;
  const std::string bytes = BackupFileBytes(content);
  ASSERT_EQ(bytes.size(), 16020u);

  std::string expected(16020, '\0');
  const std::string start = Bytes({0x39, 0x98, 0xAE, 0x00});
  const std::string end = Bytes({0x15, 0xCD, 0x5B, 0x07});
  expected.replace(0, 8, start + start);
  expected.replace(8, 4, Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  expected.replace(8 + 4 * 315, 4, Bytes({0x04, 0x03, 0x02, 0x01}));
  expected.replace(8012, 4, Bytes({0x02, 0x00, 0x00, 0x00}));
  expected.replace(8104, 4, Bytes({0x05, 0x00, 0x00, 0x00}));
  expected.replace(16012, 8, end + end);
  EXPECT_EQ(bytes, expected);
}

TEST(BackupFile, ContentSurvivesTheRoundTripAndSlotsBeyondItAreIgnored) {
  std::string bytes = BackupFileBytes(SampleContent());
  ASSERT_EQ(ReadBackupFile(bytes).content, SampleContent());
  bytes[8 + 4 * 316] = 9;    // parameter slot 316
  bytes[8 + 4 * 2000] = 9;   // the last parameter slot
  bytes[8012 + 4 * 24] = 9;  // setpoint slot 24 (setpoint 25)
  bytes[16011] = 9;          // the last setpoint slot
  const BackupRead read = ReadBackupFile(bytes);
  ASSERT_EQ(read.outcome, BackupOutcome::Loaded);
  EXPECT_EQ(read.content, SampleContent());
}

TEST(BackupFile, RefusesOtherSizesAndWrongMarkers) {
  const std::string good = BackupFileBytes(SampleContent());
  struct Row {
    const char* name;
    std::string bytes;
    BackupOutcome outcome;
  };
  auto changedAt = [&good](std::size_t offset) {
    std::string bytes = good;
    bytes[offset] = static_cast<char>(bytes[offset] ^ 0x01);
    return bytes;
  };
  const Row rows[] = {
      {"empty", "", BackupOutcome::WrongSize},
      {"one byte short", good.substr(0, 16019), BackupOutcome::WrongSize},
      {"one byte more", good + '\0', BackupOutcome::WrongSize},
      {"first start marker", changedAt(0), BackupOutcome::WrongMarkers},
      {"second start marker", changedAt(7), BackupOutcome::WrongMarkers},
      {"first end marker", changedAt(16012), BackupOutcome::WrongMarkers},
      {"second end marker", changedAt(16019), BackupOutcome::WrongMarkers},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const BackupRead read = ReadBackupFile(row.bytes);
    EXPECT_EQ(read.outcome, row.outcome);
    EXPECT_EQ(read.content, DeviceContent{}) << "nothing is handed out from a refused file";
  }
}

TEST_F(BackupFileOnDisk, SavedFileLoadsBackAndReplacesAnOldOne) {
  std::ofstream(Path()) << "old";
  std::string error;
  ASSERT_TRUE(SaveBackupFile(Path(), SampleContent(), &error)) << error;
  EXPECT_EQ(std::filesystem::file_size(Path()), 16020u);
  const BackupRead read = LoadBackupFile(Path());
  ASSERT_EQ(read.outcome, BackupOutcome::Loaded) << read.systemText;
  EXPECT_EQ(read.content, SampleContent());
}

TEST_F(BackupFileOnDisk, FailuresCarryTheSystemsText) {
  const BackupRead missing = LoadBackupFile(Path("missing.bak"));
  EXPECT_EQ(missing.outcome, BackupOutcome::CannotOpen);
  EXPECT_NE(missing.systemText.find("No such file"), std::string::npos) << missing.systemText;

  const BackupRead folder = LoadBackupFile(dir_.string());
  EXPECT_EQ(folder.outcome, BackupOutcome::CannotOpen);
  EXPECT_FALSE(folder.systemText.empty());

  std::string error;
  EXPECT_FALSE(SaveBackupFile(Path("no-such-folder/device.bak"), SampleContent(), &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST_F(BackupFileOnDisk, AHugeFileIsRefusedBySize) {
  {
    std::ofstream out(Path(), std::ios::binary);
    out << BackupFileBytes(SampleContent());
  }
  std::filesystem::resize_file(Path(), 1ull << 30);  // sparse: no disk space used
  EXPECT_EQ(LoadBackupFile(Path()).outcome, BackupOutcome::WrongSize);
}

}  // namespace
