#include "platform/LocalTime.h"

#include <cstdio>
#include <ctime>

std::string LocalDateTime(std::chrono::system_clock::time_point when, char separator, bool millis) {
  using namespace std::chrono;
  const std::tm local = LocalTime(system_clock::to_time_t(when));
  long long ms = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
  if (ms < 0) ms += 1000;
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, separator, local.tm_hour, local.tm_min, local.tm_sec);
  std::string result = text;
  if (millis) {
    std::snprintf(text, sizeof text, ".%03lld", ms);
    result += text;
  }
  return result;
}

std::string UtcOffset(std::chrono::system_clock::time_point when) {
  const std::tm local = LocalTime(std::chrono::system_clock::to_time_t(when));
  char text[16];
  if (std::strftime(text, sizeof text, "%z", &local) == 0) return "";
  return text;
}
