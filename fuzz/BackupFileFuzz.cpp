// The backup file (bak): only 16020 bytes with the four markers load, and
// what loads writes out to a file that reads back the same.
#include "FuzzInput.h"
#include "model/BackupFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const BackupRead read = ReadBackupFile(InputText(data, size));
  if (!read.Loaded()) {
    Require(read.content == DeviceContent{});
    return 0;
  }
  Require(size == kBackupFileSize && read.content.setpoints[0] == 0);
  const std::string bytes = BackupFileBytes(read.content);
  Require(bytes.size() == kBackupFileSize);
  const BackupRead again = ReadBackupFile(bytes);
  Require(again.Loaded() && again.content == read.content);
  return 0;
}
