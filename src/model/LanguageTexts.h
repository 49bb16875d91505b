#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Global_var.h"

// The per-language text files: index 1 "Taal1.ini", 2 "Taal2.ini", any
// other index "Taal0.ini".
std::string LanguageFileName(int languageIndex);

// Loads the language file of globals.LanguageIndex from ProgramDir when it
// exists and sets LanguageLoaded. When it does not exist (or cannot be
// read) nothing changes: the previous file and flag stay.
bool TekstFile_Lezen(TGlobalVar& globals);

// Key `key` of section `section` in the loaded language file, or `fallback`
// when the key is missing. A key present with an empty value is empty.
// Callers look texts up only while a language file is loaded.
std::string Tekst(std::string_view section, std::string_view key, std::string_view fallback = "");
// A list value (comma list) of the loaded language file.
std::vector<std::string> TekstList(std::string_view section, std::string_view key, std::string_view fallback = "");
