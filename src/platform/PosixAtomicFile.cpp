#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// "<file>.saving-XXXXXX": a name no one gives a document by hand, so only
// a save's own temporaries ever match it.
constexpr std::string_view kTemporaryInfix = ".saving-";
constexpr std::size_t kTemporarySuffixLength = 6;

bool SameFile(int fd, const std::string& path) {
  struct stat open {}, named {};
  return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

// A save holds a lock on its temporary until it has been renamed, so a
// temporary nobody holds was left by a save that was killed: it is removed.
void RemoveStaleTemporaries(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + std::string(kTemporaryInfix);
  DIR* directory = ::opendir(folder.c_str());
  if (directory == nullptr) return;
  while (const dirent* entry = ::readdir(directory)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix)) continue;
    const std::string stale = slash == std::string::npos ? name : folder + name;
    const int fd = ::open(stale.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, stale)) ::unlink(stale.c_str());
    ::close(fd);
  }
  ::closedir(directory);
}

// Creates and locks a new temporary beside `path`; -1 with errno set when
// it cannot. A temporary removed by another save's clean-up between its
// creation and the lock is given up for a new one.
int CreateTemporary(const std::string& path, std::string* temp) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    *temp = path + std::string(kTemporaryInfix) + std::string(kTemporarySuffixLength, 'X');
    const int fd = ::mkstemp(temp->data());
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX) == 0 && SameFile(fd, *temp)) return fd;
    ::close(fd);
  }
  errno = EBUSY;
  return -1;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error) {
  // Temporaries of saves that were killed would otherwise pile up, one per kill.
  RemoveStaleTemporaries(path);
  std::string temp;
  const int fd = CreateTemporary(path, &temp);
  if (fd < 0) return Fail(error, path);
  // mkstemp creates the file 0600; give it the usual permissions of a
  // document the user owns.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  // Renamed while still open, so its lock guards it until it has its name.
  const bool ok = WriteAll(fd, content) && ::fsync(fd) == 0 && ::rename(temp.c_str(), path.c_str()) == 0;
  const int savedErrno = errno;
  if (!ok) ::unlink(temp.c_str());
  ::close(fd);
  errno = savedErrno;
  return ok || Fail(error, path);
}
