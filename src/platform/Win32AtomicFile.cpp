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

// "<file>.saving-XXXXXX", as on Linux: a name no one gives a document by
// hand, so only a save's own temporaries ever match it.
constexpr std::wstring_view kTemporaryInfix = L".saving-";
constexpr std::size_t kTemporarySuffixLength = 6;

// A save keeps its temporary open until just before the rename, and the
// C runtime opens files without letting them be deleted meanwhile: a
// temporary that can be deleted was left by a save that was killed.
void RemoveStaleTemporaries(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
  const std::wstring prefix = (slash == std::wstring::npos ? path : path.substr(slash + 1)) + std::wstring(kTemporaryInfix);
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + prefix + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name.size() == prefix.size() + kTemporarySuffixLength && name.starts_with(prefix))
      ::DeleteFileW((folder + name).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// A new file beside the target, under a name nobody else uses. The C
// runtime's calls give the same error texts as on Linux.
int CreateTemporary(const std::wstring& path, std::wstring& temp) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::atomic<unsigned long long> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned long long seed = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64() ^
                              (counter++ * 0x9E3779B97F4A7C15ull);
    temp = path + std::wstring(kTemporaryInfix);
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i, seed /= 62) temp += kLetters[seed % 62];
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
  const std::wstring target = Utf16FromUtf8(path);
  // Temporaries of saves that were killed would otherwise pile up, one per kill.
  RemoveStaleTemporaries(target);
  std::wstring temp;
  const int fd = CreateTemporary(target, temp);
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
  // on disk. (An open file cannot be renamed here, so the temporary is
  // closed first; should another save's clean-up take it in that moment,
  // the rename fails and the old file stays.)
  if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const int failure = static_cast<int>(::GetLastError());
    ::_wunlink(temp.c_str());
    return Fail(error, path, SystemErrorMessage(failure));
  }
  return true;
}
