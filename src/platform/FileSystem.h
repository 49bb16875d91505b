#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Files by UTF-8 path. On Windows the path is converted to UTF-16 at the
// API, so that every name the user can give works; the layers above make
// no file-system calls of their own beyond these and the standard streams.

// std::fopen by path; null on failure, with the reason in errno.
std::FILE* OpenFile(const std::string& path, const char* mode);

enum class PathKind {
  Missing,  // nothing there, or a folder on the way is not a folder
  File,     // a regular file
  Other,    // a folder, a device, ...
};

// What is at path. False when the system cannot tell (a folder on the way
// may not be searched); *error then holds "path: reason".
bool InspectPath(const std::string& path, PathKind& kind, std::string* error = nullptr);

// Whether path is an existing file that this program must leave alone: marked
// read-only, or (on Linux) not writable by this user.
bool IsWriteProtected(const std::string& path);

// Whether path is a folder this program may write in. A folder without any
// write bit (read-only on Windows) counts as not writable also for a user
// whom the system would let write it anyway (root): that is how an
// administrator keeps a folder as it is.
bool IsWritableFolder(const std::string& path);

// Creates each missing folder of an absolute path that ends in '/', private
// to the user where the system has owners. False with *error "folder:
// reason" when one cannot be made.
bool MakeFolders(const std::string& folder, std::string* error);

// Reads one variable of the environment; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The folder where a user's programs keep their settings, by the system's
// rules, ending in '/'; empty when there is none. Linux: $XDG_CONFIG_HOME
// when it is an absolute path, else $HOME/.config, else .config in the home
// folder of the user's account. Windows: %APPDATA%.
std::string UserConfigFolder(const EnvironmentLookup& environment);
