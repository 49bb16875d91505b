#include "model/FunctionLabels.h"

#include "model/Catalogue.h"

bool FunctionLabelText(const TGlobalVar& globals, int parameter, std::string& text) {
  if (!globals.CatalogueLoaded) return false;
  text = Catalogue::OptionText(globals.ParameterCatalogue, parameter, globals.LanguageIndex,
                               globals.ParameterTable[static_cast<std::size_t>(parameter)]);
  return true;
}
