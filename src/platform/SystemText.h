#pragma once

#include <string>

// What the operating system says about its error numbers and its user, for
// the layers above, which make no system calls of their own.

// The system's text for an error number: errno on Linux, a Win32 error
// (GetLastError) on Windows, as UTF-8 in the user's language where the
// system has it. No trailing line break or full stop; "" for 0 and for a
// number the system has no text for.
std::string SystemErrorMessage(int errorNumber);

// Whether the user's language is German: on Linux the first of the locale
// variables LC_ALL, LC_MESSAGES and LANG that is set and not empty starts
// with "de"; on Windows the thread locale's primary language is German.
bool UserLanguageIsGerman();

// The rule for the locale variables on its own (any of them may be null).
bool LocaleVariablesAreGerman(const char* lcAll, const char* lcMessages, const char* lang);
