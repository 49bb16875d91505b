#pragma once

#include <ctime>

// The calendar time of the user's time zone for a moment (std::localtime
// without its shared buffer, safe on any thread).
std::tm LocalTime(std::time_t moment);
