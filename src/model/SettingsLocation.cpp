#include "model/SettingsLocation.h"

#include <cstdlib>

#include "model/Configuration.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"

namespace {

bool Exists(const std::string& path) {
  PathKind kind = PathKind::Missing;
  return !InspectPath(path, kind) || kind != PathKind::Missing;
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
  if (IsWritableFolder(programDir)) return location;
  const std::string configFolder = UserConfigFolder(environment);
  const std::string userFolder = configFolder.empty() ? "" : configFolder + "vq2x/";
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
