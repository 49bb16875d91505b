#include "platform/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool InspectPath(const std::string& path, PathKind& kind, std::string* error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    kind = S_ISREG(info.st_mode) ? PathKind::File : PathKind::Other;
    return true;
  }
  if (errno == ENOENT || errno == ENOTDIR) {
    kind = PathKind::Missing;
    return true;
  }
  if (error) *error = path + ": " + std::strerror(errno);
  return false;
}

bool IsWriteProtected(const std::string& path) {
  // Also for a user whom the system would let write it anyway (root).
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && ((info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0);
}
