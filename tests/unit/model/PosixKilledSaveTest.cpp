// A save killed at any moment (power cut, crash, SIGKILL) leaves every file
// whole, the old or the new content byte for byte, and at most one
// temporary file beside it however often it happens.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "model/BackupFile.h"
#include "model/Configuration.h"
#include "model/ParameterFile.h"
#include "model/SetpointFile.h"

namespace {

namespace fs = std::filesystem;

struct Writer {
  const char* file;
  std::function<void(const std::string& path, int version)> save;  // version 0 or 1
};

DeviceContent Content(int version) {
  DeviceContent content;
  for (int n = 0; n < kParameterCount; ++n) content.parameters[n] = version ? -n * 1001 : n;
  for (int n = 1; n <= kSetpointCount; ++n) content.setpoints[n] = version ? n * 77 : -n;
  return content;
}

const Writer kWriters[] = {
    {"device.bak", [](const std::string& p, int v) { SaveBackupFile(p, Content(v)); }},
    {"values.vqp", [](const std::string& p, int v) { SaveParameterFile(p, Content(v).parameters, v); }},
    {"values.vqs",
     [](const std::string& p, int v) { SaveSetpointFile(p, Content(v).setpoints, Content(v).parameters, v); }},
    {"application.ini",
     [](const std::string& p, int v) {
       ToolSettings settings = DefaultSettings();
       settings.unitNo = v ? 31 : 0;
       settings.firma = v ? "Second company" : "First";
       WriteSettingsFile(p, settings);
     }},
};

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(KilledSave, EveryFileStaysWholeWithAtMostOneTemporary) {
  const fs::path folder = fs::path(::testing::TempDir()) / ("killed-save-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "reference");
  // Both contents of each file as a save over the other leaves them.
  std::vector<std::array<std::string, 2>> expected;
  for (const Writer& writer : kWriters) {
    const std::string path = (folder / "reference" / writer.file).string();
    writer.save(path, 0);
    writer.save(path, 1);
    const std::string second = FileBytes(path);
    writer.save(path, 0);
    expected.push_back({FileBytes(path), second});
    fs::copy_file(path, folder / writer.file);
  }
  std::mt19937 random(23);
  int kills = 0;
  for (; kills < 240; ++kills) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int version = 1;; version ^= 1)
        for (const Writer& writer : kWriters) writer.save((folder / writer.file).string(), version);
    }
    ::usleep(std::uniform_int_distribution<useconds_t>(200, 6000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    for (std::size_t i = 0; i < std::size(kWriters); ++i) {
      SCOPED_TRACE(std::string(kWriters[i].file) + " after kill " + std::to_string(kills));
      const std::string bytes = FileBytes(folder / kWriters[i].file);
      ASSERT_TRUE(bytes == expected[i][0] || bytes == expected[i][1]);
      int temporaries = 0;
      for (const auto& entry : fs::directory_iterator(folder))
        temporaries += entry.path().filename().string().starts_with(std::string(kWriters[i].file) + ".");
      ASSERT_LE(temporaries, 1);
    }
  }
  EXPECT_EQ(kills, 240);
  fs::remove_all(folder);
}

}  // namespace
