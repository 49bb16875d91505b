// A language file as the windows read it: every key of every section
// looked up as a text and as a list.
#include "FuzzInput.h"
#include "model/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGlobalVar& globals = GlobalVar();
  globals.LanguageTexts = IniDocument::FromText(InputText(data, size));
  globals.LanguageLoaded = true;
  for (const std::string& section : globals.LanguageTexts.Sections())
    for (const std::string& key : globals.LanguageTexts.Keys(section)) {
      Tekst(section, key, "default");
      TekstList(section, key);
    }
  Require(Tekst("NoSuchSection", "NoSuchKey", "default") == "default" ||
          globals.LanguageTexts.HasKey("NoSuchSection", "NoSuchKey"));
  return 0;
}
