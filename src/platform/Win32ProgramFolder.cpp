#include "platform/ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "platform/Utf16.h"

std::string ProgramFolder() {
  // The program's path may be longer than MAX_PATH; the buffer grows until
  // the whole path fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      const std::wstring path(buffer.data(), length);
      const std::size_t slash = path.find_last_of(L"\\/");
      return slash == std::wstring::npos ? std::string() : Utf8FromUtf16(path.substr(0, slash + 1));
    }
    buffer.resize(buffer.size() * 2);
  }
}
