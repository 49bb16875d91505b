#pragma once

#include <deque>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "FaultPlan.h"
#include "LineBus.h"
#include "LineSettings.h"
#include "SimClock.h"
#include "TrafficLog.h"

// The device side of the line, without any file descriptor: cuts the
// received bytes into command lines at each CR, lets the bus answer them and
// schedules the answers (reply delay, bursts) and the faults of the plan.
// The owner feeds received bytes in, sleeps until NextDue() and writes what
// TakeDue() hands out.
class LineServer {
public:
  static constexpr std::size_t MaxLineLength = 128;

  LineServer(LineBus& bus, TrafficLog* log, std::uint32_t seed = 1);

  FaultPlan& faults() { return faults_; }
  // Starts, changes or stops the random line noise.
  void SetNoise(double perMinute, SimTime now);

  // Logs the line settings when they differ from the last ones seen.
  void NoteSettings(const LineSettings& settings);
  void Receive(std::string_view bytes, const LineSettings& settings, SimTime now);

  std::optional<SimTime> NextDue() const;
  std::string TakeDue(SimTime now);

private:
  struct Chunk {
    SimTime at;
    std::string bytes;
    std::string wholeReply;  // logged when the first chunk goes out
  };

  void HandleLine(const std::string& text, const LineSettings& settings, SimTime now);
  void Schedule(const std::string& reply, SimTime now);
  std::string Garble(std::string reply);
  void ScheduleNextNoise(SimTime after);
  std::string NoiseBytes();

  LineBus& bus_;
  TrafficLog* log_;
  FaultPlan faults_;
  std::deque<Chunk> pending_;
  std::string raw_;   // bytes of the line being received, as they came
  std::string text_;  // the same without LF and NUL
  bool overflow_ = false;
  std::optional<LineSettings> lastSettings_;
  std::optional<SimTime> nextNoise_;
  std::mt19937 random_;
};
