#pragma once

#include <string>
#include <string_view>

// The program keeps text and paths in UTF-8; the Win32 API takes UTF-16.
// These convert at the API (Windows builds only). Invalid sequences become
// U+FFFD rather than failing.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);
