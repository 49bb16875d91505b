// The COM ports of a Windows system, as its serial drivers enter them under
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM (value: the driver's device, data: the
// COM name).
#include <windows.h>

#include <algorithm>

#include "cli/PortList.h"
#include "platform/Utf16.h"

namespace {

// COM2 before COM10.
bool ByNumber(const ListedPort& a, const ListedPort& b) {
  if (a.path.size() != b.path.size()) return a.path.size() < b.path.size();
  return a.path < b.path;
}

}  // namespace

bool ListSerialPorts(std::vector<ListedPort>& ports) {
  HKEY key = nullptr;
  const LSTATUS opened = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return true;  // no serial driver has entered a port
  if (opened != ERROR_SUCCESS) return false;
  for (DWORD index = 0;; ++index) {
    wchar_t device[256];
    wchar_t name[64];
    DWORD deviceLength = sizeof device / sizeof device[0];
    DWORD nameBytes = sizeof name - sizeof name[0];
    DWORD type = 0;
    const LSTATUS read = ::RegEnumValueW(key, index, device, &deviceLength, nullptr, &type,
                                         reinterpret_cast<BYTE*>(name), &nameBytes);
    if (read == ERROR_NO_MORE_ITEMS) break;
    if (read != ERROR_SUCCESS || type != REG_SZ) continue;
    name[nameBytes / sizeof name[0]] = L'\0';
    ports.push_back({Utf8FromUtf16(name), Utf8FromUtf16(std::wstring_view(device, deviceLength)), "", ""});
  }
  ::RegCloseKey(key);
  std::sort(ports.begin(), ports.end(), ByNumber);
  return true;
}
