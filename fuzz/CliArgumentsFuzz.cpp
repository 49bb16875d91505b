// The command line's arguments (one per line of the input): any arguments
// give a call or a refusal, never a crash; a call that is taken holds only
// values the commands can use.
#include <algorithm>
#include <string>

#include "FuzzInput.h"
#include "cli/CliCall.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments(1);
  for (char c : InputText(data, size)) {
    if (c == '\n') arguments.emplace_back();
    else arguments.back() += c;
  }
  const ParsedCall parsed = ParseCommandLine(arguments);
  Require(parsed.status == 0 || parsed.status == 2);
  if (!parsed.call) return 0;
  const GlobalOptions& g = parsed.call->global;
  Require(!g.unit || (*g.unit >= 0 && *g.unit <= 31));
  Require(std::is_sorted(g.units.begin(), g.units.end()));
  Require(g.units.empty() || (g.units.front() >= 0 && g.units.back() <= 31));
  Require(g.language >= 0 && g.language <= 2);
  Require(parsed.call->intervalMs >= 10);
  return 0;
}
