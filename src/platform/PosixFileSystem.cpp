#include "platform/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <pwd.h>
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

bool IsWritableFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & 0222) != 0 &&
         ::access(path.c_str(), W_OK) == 0;
}

bool MakeFolders(const std::string& folder, std::string* error) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      if (error) *error = part + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

// Relative values are ignored, as the base directory rules ask.
std::string UserConfigFolder(const EnvironmentLookup& environment) {
  const char* configHome = environment("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') return std::string(configHome) + "/";
  std::string home;
  if (const char* variable = environment("HOME"); variable != nullptr && variable[0] == '/') {
    home = variable;
  } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr &&
                                                           user->pw_dir[0] == '/') {
    home = user->pw_dir;
  }
  return home.empty() ? "" : home + "/.config/";
}
