#include "model/ParameterFile.h"

#include <algorithm>

#include "platform/AtomicFile.h"

namespace {

constexpr ValueFileFormat kFormat{kParameterFileHeader, 'P', kParameterCount};

ParameterFileRead FromValues(const ValueFileRead& read) {
  ParameterFileRead result;
  static_cast<ValueFileStatus&>(result) = read;
  if (read.Loaded()) std::copy(read.values.begin(), read.values.end(), result.parameters.begin());
  return result;
}

}  // namespace

std::string ParameterFileText(const ParameterValues& parameters, int unitNumber) {
  return ValueFileText(kFormat, unitNumber, parameters);
}

bool SaveParameterFile(const std::string& path, const ParameterValues& parameters, int unitNumber,
                       std::string* error) {
  return WriteFileAtomically(path, ParameterFileText(parameters, unitNumber), error);
}

ParameterFileRead ReadParameterFile(std::string_view bytes) { return FromValues(ReadValueFile(kFormat, bytes)); }

ParameterFileRead LoadParameterFile(const std::string& path) { return FromValues(LoadValueFile(kFormat, path)); }
