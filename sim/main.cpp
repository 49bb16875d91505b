#include <cstdio>
#include <string>
#include <vector>

#include "SimOptions.h"
#include "SimRunner.h"

// The project's version, set by the build.
#ifndef VQ2X_VERSION
#define VQ2X_VERSION "unknown"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  auto options = ParseSimOptions(arguments, &error);
  if (!options) {
    std::fprintf(stderr, "vq2x-sim: %s\n", error.c_str());
    return 2;
  }
  if (options->showHelp) {
    std::fputs(SimUsage().c_str(), stdout);
    return 0;
  }
  if (options->showVersion) {
    std::puts("vq2x-sim " VQ2X_VERSION);
    return 0;
  }
  return SimRunner(std::move(*options)).Run();
}
