#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "model/BackupFile.h"

// A device whose every parameter and setpoint differs, negatives included.
inline DeviceContent SampleContent() {
  DeviceContent content;
  for (int n = 0; n < kParameterCount; ++n) content.parameters[n] = (n % 2 ? -1 : 1) * (n * 1000 + 7);
  for (int k = 1; k <= kSetpointCount; ++k) content.setpoints[k] = -k * 100003;
  return content;
}

class BackupFileOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vq2x-backup-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name = "device.bak") const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};
