#include "model/CatalogueFiles.h"

namespace {

bool Load(const std::string& path, IniDocument& document, bool& loaded) {
  loaded = false;
  auto file = IniDocument::LoadFile(path);
  document = file.value_or(IniDocument{});
  loaded = file.has_value();
  return loaded;
}

}  // namespace

bool ParameterDef_lezen(TGlobalVar& g) {
  return Load(g.ProgramDir + "Parameters.txt", g.ParameterCatalogue, g.CatalogueLoaded);
}

bool ParamNo_lezen(TGlobalVar& g) { return Load(g.ProgramDir + "ParNo.txt", g.ParNoCatalogue, g.ParNoLoaded); }
