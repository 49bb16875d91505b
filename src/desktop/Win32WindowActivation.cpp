#include "desktop/WindowActivation.h"

#include <windows.h>

#include "platform/Utf16.h"

bool ActivateTopLevelWindow(const std::string& title) {
  const HWND window = ::FindWindowW(nullptr, Utf16FromUtf8(title).c_str());
  if (window == nullptr) return false;
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  // Windows lets a program that has just started take the foreground while
  // the user is still waiting for it, which is the case here.
  ::SetForegroundWindow(window);
  return true;
}
