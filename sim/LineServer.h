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
//
// With the plan's wire time a pseudo-terminal behaves like a serial line:
// each received byte ends one character time after the one before it (or
// after it came in, when it came later), a command is acted on when its CR
// has ended, and the reply leaves byte by byte, each byte handed out when
// its last bit would have arrived.
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
  // A command line whose CR has been received, acted on at `at`.
  struct HeardLine {
    SimTime at;
    std::string raw;
    std::string text;
    bool overflow;
    LineSettings settings;
  };

  LineSettings WireFraming(const LineSettings& settings) const;
  SimTime ArrivalOfNextByte(const LineSettings& settings, SimTime now);
  void HandleHeardLines(SimTime now);
  void HandleLine(const std::string& text, const LineSettings& settings, SimTime now);
  void Schedule(const std::string& reply, const LineSettings& settings, SimTime now, std::size_t splitAt = 0);
  SimTime ScheduleBurst(const std::string& burst, const std::string& wholeReply, const LineSettings& settings,
                        SimTime start);
  std::string Garble(std::string reply);
  void ScheduleNextNoise(SimTime after);
  std::string NoiseBytes();

  LineBus& bus_;
  TrafficLog* log_;
  FaultPlan faults_;
  std::deque<Chunk> pending_;
  std::deque<HeardLine> heard_;
  SimTime receiverFreeAt_{};  // with wire time: when the last byte received has ended
  std::string raw_;   // bytes of the line being received, as they came
  std::string text_;  // the same without LF and NUL
  bool overflow_ = false;
  std::optional<LineSettings> lastSettings_;
  std::optional<SimTime> nextNoise_;
  std::mt19937 random_;
};
