#pragma once

#include <cstdio>
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
