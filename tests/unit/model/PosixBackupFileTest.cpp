#include "model/BackupFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

#include "BackupFileTestSupport.h"

namespace {

// A write that fails half-way (here: the process may write no file larger
// than 1000 bytes) leaves the old backup whole and no temporary file.
TEST_F(BackupFileOnDisk, AFailedSaveKeepsTheOldBackup) {
  std::ofstream(Path()) << "old backup";
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 1000;
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool written = SaveBackupFile(Path(), SampleContent(), &error);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_NE(error.find(Path()), std::string::npos) << error;
  std::stringstream old;
  old << std::ifstream(Path()).rdbuf();
  EXPECT_EQ(old.str(), "old backup");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
}

}  // namespace
