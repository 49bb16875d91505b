#pragma once

#include "model/Global_var.h"

// Loads "Parameters.txt" from ProgramDir into ParameterCatalogue. Clears
// CatalogueLoaded first; a missing or unreadable file leaves it cleared and
// the document empty, which is not reported (the windows then show no
// catalogue texts). Runs at start-up and whenever the options are confirmed.
bool ParameterDef_lezen(TGlobalVar& globals);

// The same for "ParNo.txt", ParNoCatalogue and ParNoLoaded (start-up only).
bool ParamNo_lezen(TGlobalVar& globals);
