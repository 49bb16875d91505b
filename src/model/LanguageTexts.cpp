#include "model/LanguageTexts.h"

#include "platform/CommaList.h"

std::string LanguageFileName(int languageIndex) {
  if (languageIndex == 1) return "Taal1.ini";
  if (languageIndex == 2) return "Taal2.ini";
  return "Taal0.ini";
}

bool TekstFile_Lezen(TGlobalVar& globals) {
  auto document = IniDocument::LoadFile(globals.ProgramDir + LanguageFileName(globals.LanguageIndex));
  if (!document) return false;
  globals.LanguageTexts = std::move(*document);
  globals.LanguageLoaded = true;
  return true;
}

std::string Tekst(std::string_view section, std::string_view key, std::string_view fallback) {
  return GlobalVar().LanguageTexts.ReadString(section, key, fallback);
}

std::vector<std::string> TekstList(std::string_view section, std::string_view key, std::string_view fallback) {
  return ParseCommaList(Tekst(section, key, fallback));
}
