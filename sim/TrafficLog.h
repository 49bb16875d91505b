#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// The traffic log: one line per received command, per reply, per noise
// burst and per change of the line settings, each written and flushed at
// once so that a test can read it while the simulator runs:
//   12:03:04.567 rx "sc 0\r"
//   12:03:04.569 tx "sc 0\r\n"
//   12:03:05.001 line 9600 8 O 1
//   12:03:05.120 fault late
class TrafficLog {
public:
  using WallClock = std::function<std::chrono::system_clock::time_point()>;

  explicit TrafficLog(std::FILE* file, WallClock clock = std::chrono::system_clock::now);

  void Received(std::string_view bytes);
  void Sent(std::string_view bytes);
  void Noise(std::string_view bytes);
  void Line(const std::string& settingsText);
  void Fault(std::string_view name);
  void Note(const std::string& text);

private:
  void Write(const std::string& text);

  std::FILE* file_;
  WallClock clock_;
};

// The bytes in double quotes with C escapes: \r \n \t \\ \" and \xHH for
// every other byte outside the printable ASCII range.
std::string QuoteBytes(std::string_view bytes);

// "HH:MM:SS.mmm" in local time.
std::string LocalTimeStamp(std::chrono::system_clock::time_point when);
