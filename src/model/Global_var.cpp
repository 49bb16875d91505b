#include "model/Global_var.h"

TGlobalVar& GlobalVar() {
  static TGlobalVar state;
  return state;
}

// Both come from the build (the project's version, the day it was
// configured); a compiler without them still builds a program that says so.
#ifndef VQ2X_VERSION
#define VQ2X_VERSION "unknown"
#endif
#ifndef VQ2X_BUILD_DATE
#define VQ2X_BUILD_DATE "unknown"
#endif

const char* const VersionText = VQ2X_VERSION;
const char* const BuildDate = VQ2X_BUILD_DATE;
