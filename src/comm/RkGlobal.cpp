#include "comm/RkGlobal.h"

#include <cstdlib>
#include <cstring>

std::string SystemErrorText(int errorNumber) {
  if (errorNumber == 0) return {};
  char buffer[1024];
  // The GNU variant may return a static string instead of filling buffer.
  const char* text = ::strerror_r(errorNumber, buffer, sizeof buffer);
  return text != nullptr ? std::string(text) : std::string();
}

int LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    return std::strncmp(value, "de", 2) == 0 ? 2 : 1;
  }
  return 1;
}

int LibraryLanguage() {
  static const int language =
      LanguageFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  return language;
}
