#pragma once

#include <cstdint>

#include "DeviceMemory.h"

// Maps a source value through the linearisation table (points 1..N with X in
// parameters 140.., Y in 170.., N in 247). Between two points the output is
// interpolated linearly; before the first and after the last point it stays
// at that point's Y. Mode 1 (mirror) and mode 2 (point) extend the table to
// negative inputs: mirror gives f(-x) = f(x), point gives f(-x) = -f(x). With
// no points the value passes unchanged.
std::int64_t Linearise(std::int64_t value, const ParameterValues& parameters);
