#include "platform/SystemText.h"

#include <cstdlib>
#include <cstring>

std::string SystemErrorMessage(int errorNumber) {
  if (errorNumber == 0) return {};
  char buffer[1024];
  // The GNU variant may return a static string instead of filling buffer.
  const char* text = ::strerror_r(errorNumber, buffer, sizeof buffer);
  return text != nullptr ? std::string(text) : std::string();
}

bool UserLanguageIsGerman() {
  return LocaleVariablesAreGerman(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
