#include "platform/AtomicFile.h"

#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/SystemText.h"
#include "platform/Utf16.h"

namespace {

bool Fail(std::string* error, const std::string& path, const std::string& reason) {
  if (error) *error = path + ": " + reason;
  return false;
}

// A new file beside the target, under a name nobody else uses. The C
// runtime's calls give the same error texts as on Linux.
int CreateTemporary(const std::string& path, std::wstring& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = path;
    for (const auto part : {static_cast<unsigned long long>(::GetCurrentProcessId()), ::GetTickCount64() % 100000,
                            static_cast<unsigned long long>(counter++)})
      name.append(".").append(std::to_string(part));
    temp = Utf16FromUtf8(name);
    const int fd = ::_wopen(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const unsigned chunk = content.size() > 1u << 30 ? 1u << 30 : static_cast<unsigned>(content.size());
    const int n = ::_write(fd, content.data(), chunk);
    if (n <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error) {
  std::wstring temp;
  const int fd = CreateTemporary(path, temp);
  if (fd < 0) return Fail(error, path, std::strerror(errno));
  // _commit flushes the file to disk (FlushFileBuffers).
  bool ok = WriteAll(fd, content) && ::_commit(fd) == 0;
  int savedErrno = errno;
  if (::_close(fd) != 0 && ok) {
    ok = false;
    savedErrno = errno;
  }
  if (!ok) {
    ::_wunlink(temp.c_str());
    return Fail(error, path, std::strerror(savedErrno));
  }
  // Replaces the target in one step and returns only when the new name is
  // on disk.
  if (!::MoveFileExW(temp.c_str(), Utf16FromUtf8(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const int failure = static_cast<int>(::GetLastError());
    ::_wunlink(temp.c_str());
    return Fail(error, path, SystemErrorMessage(failure));
  }
  return true;
}
