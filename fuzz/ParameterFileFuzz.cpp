// The parameter file (vqp): values only from a whole good file, and the
// values read write out to a file that reads back the same.
#include "FuzzInput.h"
#include "model/ParameterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ParameterFileRead read = ReadParameterFile(InputText(data, size));
  if (!read.Loaded()) {
    Require(read.parameters == ParameterValues{});
    return 0;
  }
  const ParameterFileRead again = ReadParameterFile(ParameterFileText(read.parameters, 0));
  Require(again.Loaded() && again.parameters == read.parameters);
  return 0;
}
