#include "platform/SystemText.h"

#include <cstring>

bool LocaleVariablesAreGerman(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    return std::strncmp(value, "de", 2) == 0;
  }
  return false;
}
