#include "comm/RkGlobal.h"

#include "platform/SystemText.h"

std::string SystemErrorText(int errorNumber) { return SystemErrorMessage(errorNumber); }

int LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  return LocaleVariablesAreGerman(lcAll, lcMessages, lang) ? 2 : 1;
}

int LibraryLanguage() {
  static const int language = UserLanguageIsGerman() ? 2 : 1;
  return language;
}
