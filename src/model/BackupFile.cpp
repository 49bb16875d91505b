#include "model/BackupFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::size_t kFieldSize = 4;
static_assert(kBackupParameterOffset + kFieldSize * kBackupParameterSlots == kBackupSetpointOffset);
static_assert(kBackupSetpointOffset + kFieldSize * kBackupSetpointSlots == kBackupEndOffset);
static_assert(kBackupEndOffset + 2 * kFieldSize == kBackupFileSize);
static_assert(kParameterCount <= kBackupParameterSlots && kSetpointCount <= kBackupSetpointSlots);

void PutField(std::string& bytes, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < kFieldSize; ++i) bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
}

std::int32_t GetField(std::string_view bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < kFieldSize; ++i)
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

bool MarkersRight(std::string_view bytes) {
  return GetField(bytes, 0) == kBackupStartMarker && GetField(bytes, kFieldSize) == kBackupStartMarker &&
         GetField(bytes, kBackupEndOffset) == kBackupEndMarker &&
         GetField(bytes, kBackupEndOffset + kFieldSize) == kBackupEndMarker;
}

// The first `limit` bytes of a file (fewer when it is shorter), or no value
// with *error set to the system's text.
std::optional<std::string> ReadAtMost(const std::string& path, std::size_t limit, std::string* error) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) {
    *error = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string bytes(limit, '\0');
  const std::size_t count = std::fread(bytes.data(), 1, limit, file);
  const int readErrno = errno;
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    *error = path + ": " + std::strerror(readErrno);
    return std::nullopt;
  }
  bytes.resize(count);
  return bytes;
}

}  // namespace

std::string BackupFileBytes(const DeviceContent& content) {
  std::string bytes(kBackupFileSize, '\0');
  PutField(bytes, 0, kBackupStartMarker);
  PutField(bytes, kFieldSize, kBackupStartMarker);
  for (std::size_t n = 0; n < content.parameters.size(); ++n)
    PutField(bytes, kBackupParameterOffset + kFieldSize * n, content.parameters[n]);
  for (std::size_t k = 1; k < content.setpoints.size(); ++k)
    PutField(bytes, kBackupSetpointOffset + kFieldSize * (k - 1), content.setpoints[k]);
  PutField(bytes, kBackupEndOffset, kBackupEndMarker);
  PutField(bytes, kBackupEndOffset + kFieldSize, kBackupEndMarker);
  return bytes;
}

BackupRead ReadBackupFile(std::string_view bytes) {
  BackupRead read;
  if (bytes.size() != kBackupFileSize) {
    read.outcome = BackupOutcome::WrongSize;
    return read;
  }
  if (!MarkersRight(bytes)) {
    read.outcome = BackupOutcome::WrongMarkers;
    return read;
  }
  for (std::size_t n = 0; n < read.content.parameters.size(); ++n)
    read.content.parameters[n] = GetField(bytes, kBackupParameterOffset + kFieldSize * n);
  for (std::size_t k = 1; k < read.content.setpoints.size(); ++k)
    read.content.setpoints[k] = GetField(bytes, kBackupSetpointOffset + kFieldSize * (k - 1));
  return read;
}

BackupRead LoadBackupFile(const std::string& path) {
  std::string error;
  // One byte more than a backup is enough to tell a longer file.
  const auto bytes = ReadAtMost(path, kBackupFileSize + 1, &error);
  if (!bytes) {
    BackupRead read;
    read.outcome = BackupOutcome::CannotOpen;
    read.systemText = error;
    return read;
  }
  return ReadBackupFile(*bytes);
}

bool SaveBackupFile(const std::string& path, const DeviceContent& content, std::string* error) {
  return WriteFileAtomically(path, BackupFileBytes(content), error);
}
