#include "model/SetpointFile.h"

#include <algorithm>

#include "model/ParameterNumbers.h"
#include "platform/AtomicFile.h"

namespace {

// Line numbers 0 .. 24: 0 carries parameter 315, 1 .. 24 the setpoints.
constexpr ValueFileFormat kFormat{kSetpointFileHeader, 'S', kSetpointCount + 1};

SetpointFileRead FromValues(const ValueFileRead& read) {
  SetpointFileRead result;
  static_cast<ValueFileStatus&>(result) = read;
  if (read.Loaded()) std::copy(read.values.begin() + 1, read.values.end(), result.setpoints.begin() + 1);
  return result;
}

}  // namespace

std::string SetpointFileText(const SetpointValues& setpoints, const ParameterValues& parameters, int unitNumber) {
  SetpointValues lines = setpoints;
  lines[0] = parameters[ParameterNumber::SetpointFileExtra];
  return ValueFileText(kFormat, unitNumber, lines);
}

bool SaveSetpointFile(const std::string& path, const SetpointValues& setpoints, const ParameterValues& parameters,
                      int unitNumber, std::string* error) {
  return WriteFileAtomically(path, SetpointFileText(setpoints, parameters, unitNumber), error);
}

SetpointFileRead ReadSetpointFile(std::string_view bytes) { return FromValues(ReadValueFile(kFormat, bytes)); }

SetpointFileRead LoadSetpointFile(const std::string& path) { return FromValues(LoadValueFile(kFormat, path)); }
