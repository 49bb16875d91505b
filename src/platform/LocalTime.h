#pragma once

#include <chrono>
#include <ctime>
#include <string>

// The calendar time of the user's time zone for a moment (std::localtime
// without its shared buffer, safe on any thread); one file per system.
std::tm LocalTime(std::time_t moment);

// A moment as local date and time, "2025-03-14 09:26:53" (separator ' ' or
// 'T'), with ".123" when millis is set: the form reports, transcripts and
// watched values carry, the same whatever the system's locale.
std::string LocalDateTime(std::chrono::system_clock::time_point when, char separator = ' ', bool millis = false);

// The local time's offset from UTC at that moment, "+0100".
std::string UtcOffset(std::chrono::system_clock::time_point when);
