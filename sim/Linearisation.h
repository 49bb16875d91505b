#pragma once

#include <cstdint>

#include "DeviceMemory.h"

// Maps a source value through the linearisation table (points 1..N with X in
// parameters 140.., Y in 170.., N in 247). Between two points the output is
// interpolated linearly; outside the table it stays at the first or last Y,
// or continues the first or last segment when parameter 136 asks to
// extrapolate. Mode 1 (mirror image) and mode 2 (point image) extend the
// table to negative inputs: mirror gives f(-x) = f(x), point gives
// f(-x) = -f(x). With no points the value passes unchanged.
std::int64_t Linearise(std::int64_t value, const ParameterValues& parameters);

// Linearise, then reversed by parameter 139 and offset by parameter 137:
// the value "r8" gives.
std::int64_t LinearisedValue(std::int64_t value, const ParameterValues& parameters);
