#include "model/SettingsLocation.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/Configuration.h"
#include "platform/AtomicFile.h"

namespace {

// A folder without any write bit counts as read-only also for a user whom
// the system would let write it anyway (root), as a read-only settings file
// does; that is how an administrator keeps a folder as it is.
bool FolderWritable(const std::string& folder) {
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & 0222) != 0 &&
         ::access(folder.c_str(), W_OK) == 0;
}

std::string HomeFolder(const EnvironmentLookup& environment) {
  const char* home = environment("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/' ? user->pw_dir : "";
}

// Relative values are ignored, as the base directory rules ask.
std::string UserSettingsFolder(const EnvironmentLookup& environment) {
  const char* configHome = environment("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') return std::string(configHome) + "/vq2x/";
  const std::string home = HomeFolder(environment);
  return home.empty() ? "" : home + "/.config/vq2x/";
}

// Creates each missing folder of the path, private to the user.
bool MakeFolders(const std::string& folder, std::string* error) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      *error = part + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

// The first run of this user: the site default becomes the user's copy.
std::string CopySiteDefault(const std::string& siteDefault, const std::string& userFile) {
  if (Exists(userFile) || !Exists(siteDefault)) return "";
  std::string content, error;
  if (!ReadWholeFile(siteDefault, &content, kConfigurationMaxSize, &error) ||
      !WriteFileAtomically(userFile, content, &error))
    return "the site default was not copied (" + error + ")";
  return "";
}

}  // namespace

SettingsLocation LocateSettingsFile(const std::string& programDir, const EnvironmentLookup& environment) {
  SettingsLocation location;
  location.path = programDir + kConfigurationFileName;
  if (FolderWritable(programDir)) return location;
  const std::string userFolder = UserSettingsFolder(environment);
  // Without a home folder there is nowhere else; closing then says that
  // the file could not be written.
  if (userFolder.empty()) return location;
  const std::string siteDefault = location.path;
  location.besideProgram = false;
  location.path = userFolder + kConfigurationFileName;
  std::string error;
  if (!MakeFolders(userFolder, &error))
    location.warning = "the settings folder could not be made (" + error + ")";
  else
    location.warning = CopySiteDefault(siteDefault, location.path);
  return location;
}

SettingsLocation LocateSettingsFile(const std::string& programDir) {
  return LocateSettingsFile(programDir, [](const char* name) { return std::getenv(name); });
}
