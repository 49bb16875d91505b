#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Global_var.h"
#include "model/ValueFile.h"

// The parameter file (extension vqp): "ASCII Parameters VU2v-ARA   No: 3",
// an empty line, then "P000 v" .. "P315 v" with the raw values. Reading
// follows the value-file rules (model/ValueFile.h) and needs exactly one
// line for each of the parameters 0 .. 315.
constexpr std::string_view kParameterFileHeader = "ASCII Parameters VU2v-ARA";

using ParameterValues = std::array<std::int32_t, kParameterCount>;

struct ParameterFileRead : ValueFileStatus {
  ParameterValues parameters{};  // every parameter from the file, when Loaded
};

std::string ParameterFileText(const ParameterValues& parameters, int unitNumber);
// Written to a temporary file and renamed into place, so a failed save
// leaves an existing file as it was; *error holds the system's text.
bool SaveParameterFile(const std::string& path, const ParameterValues& parameters, int unitNumber,
                       std::string* error = nullptr);

// Nothing is to be taken over unless the result is Loaded.
ParameterFileRead ReadParameterFile(std::string_view bytes);
ParameterFileRead LoadParameterFile(const std::string& path);
