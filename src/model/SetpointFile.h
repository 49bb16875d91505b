#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Global_var.h"
#include "model/ParameterFile.h"
#include "model/ValueFile.h"

// The setpoint file (extension vqs): "ASCII Sollwerten VU2v-ARA   No: 3",
// an empty line, "S000 v" with the value of parameter 315, then "S001 v" ..
// "S024 v" with the setpoints. Reading follows the value-file rules
// (model/ValueFile.h) and needs exactly one line for each of the numbers
// 0 .. 24; line S000 must be good but is not taken over.
constexpr std::string_view kSetpointFileHeader = "ASCII Sollwerten VU2v-ARA";

using SetpointValues = std::array<std::int32_t, kSetpointCount + 1>;  // index 1 .. 24; 0 unused

struct SetpointFileRead : ValueFileStatus {
  SetpointValues setpoints{};  // setpoints 1 .. 24 from the file, when Loaded; index 0 is 0
};

// Line S000 takes parameter 315 (ParameterNumber::SetpointFileExtra) from
// `parameters`; index 0 of `setpoints` is not written.
std::string SetpointFileText(const SetpointValues& setpoints, const ParameterValues& parameters, int unitNumber);
// Written to a temporary file and renamed into place, so a failed save
// leaves an existing file as it was; *error holds the system's text.
bool SaveSetpointFile(const std::string& path, const SetpointValues& setpoints, const ParameterValues& parameters,
                      int unitNumber, std::string* error = nullptr);

// Nothing is to be taken over unless the result is Loaded.
SetpointFileRead ReadSetpointFile(std::string_view bytes);
SetpointFileRead LoadSetpointFile(const std::string& path);
