// The setpoint file (vqs): values only from a whole good file, and the
// values read write out to a file that reads back the same.
#include "FuzzInput.h"
#include "model/SetpointFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const SetpointFileRead read = ReadSetpointFile(InputText(data, size));
  if (!read.Loaded()) {
    Require(read.setpoints == SetpointValues{});
    return 0;
  }
  Require(read.setpoints[0] == 0);
  const SetpointFileRead again = ReadSetpointFile(SetpointFileText(read.setpoints, ParameterValues{}, 0));
  Require(again.Loaded() && again.setpoints == read.setpoints);
  return 0;
}
