#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/FileSystem.h"

namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* content, std::size_t maxSize, std::string* error) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return Fail(error, path);
  std::string data;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (data.size() + n > maxSize) {
      std::fclose(file);
      if (error) *error = path + ": file is too large";
      return false;
    }
    data.append(buffer, n);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return Fail(error, path);
  *content = std::move(data);
  return true;
}
