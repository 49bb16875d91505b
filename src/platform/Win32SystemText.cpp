#include "platform/SystemText.h"

#include <windows.h>

#include "platform/Utf16.h"

std::string SystemErrorMessage(int errorNumber) {
  if (errorNumber == 0) return {};
  wchar_t buffer[1024];
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(errorNumber), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer,
                       static_cast<DWORD>(sizeof buffer / sizeof buffer[0]), nullptr);
  std::wstring_view text(buffer, length);
  // The system's texts are sentences with a line break; the callers put the
  // text after a file or port name and go on after it, as with the Linux
  // texts, which have neither.
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.remove_suffix(1);
  if (!text.empty() && text.back() == L'.') text.remove_suffix(1);
  return Utf8FromUtf16(text);
}

bool UserLanguageIsGerman() { return PRIMARYLANGID(LANGIDFROMLCID(::GetThreadLocale())) == LANG_GERMAN; }
