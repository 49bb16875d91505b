// vq2x: the service tool's device jobs from the command line, for one unit
// or every unit on a line, on the model classes the windows use.
#include <string>
#include <vector>

#include "cli/CliRun.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return RunCommandLine(arguments);
}
