#include <cstdio>
#include <string>
#include <vector>

#include "SimOptions.h"
#include "SimRunner.h"

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
    std::puts("vq2x-sim 1.0.0");
    return 0;
  }
  return SimRunner(std::move(*options)).Run();
}
