#include "platform/FileSystem.h"

#include <windows.h>

#include "platform/SystemText.h"
#include "platform/Utf16.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return ::_wfopen(Utf16FromUtf8(path).c_str(), Utf16FromUtf8(mode).c_str());
}

bool InspectPath(const std::string& path, PathKind& kind, std::string* error) {
  const DWORD attributes = ::GetFileAttributesW(Utf16FromUtf8(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    kind = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0 ? PathKind::Other : PathKind::File;
    return true;
  }
  const DWORD failure = ::GetLastError();
  if (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND || failure == ERROR_INVALID_NAME) {
    kind = PathKind::Missing;
    return true;
  }
  if (error) *error = path + ": " + SystemErrorMessage(static_cast<int>(failure));
  return false;
}

bool IsWriteProtected(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Utf16FromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool IsWritableFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(Utf16FromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool MakeFolders(const std::string& folder, std::string* error) {
  for (std::size_t at = folder.find_first_of("/\\", 3); at != std::string::npos; at = folder.find_first_of("/\\", at + 1)) {
    const std::string part = folder.substr(0, at);
    if (!::CreateDirectoryW(Utf16FromUtf8(part).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
      if (error) *error = part + ": " + SystemErrorMessage(static_cast<int>(::GetLastError()));
      return false;
    }
  }
  return true;
}

std::string UserConfigFolder(const EnvironmentLookup& environment) {
  const char* appData = environment("APPDATA");
  return appData != nullptr && appData[0] != '\0' ? std::string(appData) + "/" : "";
}
