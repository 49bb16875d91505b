#include "model/Global_var.h"

TGlobalVar& GlobalVar() {
  static TGlobalVar state;
  return state;
}

const char* const VersionText = "1.0.0";
