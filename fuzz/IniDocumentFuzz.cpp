// INI documents (settings, language and catalogue files): any bytes give a
// document, its text reads back as the same document, and a key written
// is found again.
#include "FuzzInput.h"
#include "platform/IniDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  IniDocument document = IniDocument::FromText(InputText(data, size));
  const std::string text = document.ToText();
  Require(IniDocument::FromText(text).ToText() == text);
  for (const std::string& section : document.Sections())
    for (const std::string& key : document.Keys(section)) {
      Require(document.HasKey(section, key));
      document.ReadInteger(section, key, 0);
    }
  document.WriteString("Fuzz", "key", "value");
  Require(document.ReadString("Fuzz", "key", "") == "value");
  ParseWholeNumber(InputText(data, size));
  return 0;
}
