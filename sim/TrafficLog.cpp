#include "TrafficLog.h"

#include <ctime>

TrafficLog::TrafficLog(std::FILE* file, WallClock clock) : file_(file), clock_(std::move(clock)) {}

void TrafficLog::Received(std::string_view bytes) { Write("rx " + QuoteBytes(bytes)); }
void TrafficLog::Sent(std::string_view bytes) { Write("tx " + QuoteBytes(bytes)); }
void TrafficLog::Noise(std::string_view bytes) { Write("noise " + QuoteBytes(bytes)); }
void TrafficLog::Line(const std::string& settingsText) { Write("line " + settingsText); }
void TrafficLog::Fault(std::string_view name) { Write("fault " + std::string(name)); }
void TrafficLog::Note(const std::string& text) { Write("note " + text); }

void TrafficLog::Write(const std::string& text) {
  if (!file_) return;
  std::string line = LocalTimeStamp(clock_()) + " " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

std::string QuoteBytes(std::string_view bytes) {
  static const char hex[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (unsigned char c : bytes) {
    switch (c) {
      case '\r': text += "\\r"; break;
      case '\n': text += "\\n"; break;
      case '\t': text += "\\t"; break;
      case '\\': text += "\\\\"; break;
      case '"': text += "\\\""; break;
      default:
        if (c >= 0x20 && c < 0x7F) {
          text += static_cast<char>(c);
        } else {
          text += "\\x";
          text += hex[c >> 4];
          text += hex[c & 15];
        }
    }
  }
  return text + "\"";
}

std::string LocalTimeStamp(std::chrono::system_clock::time_point when) {
  using namespace std::chrono;
  std::time_t seconds = system_clock::to_time_t(when);
  auto millis = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
  if (millis < 0) millis += 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(millis));
  return text;
}
