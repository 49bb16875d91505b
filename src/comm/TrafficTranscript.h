#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/TrafficObserver.h"

// The traffic transcript: every exchange on the line, with the port's opens,
// closes and setting changes, as lines of text (docs/transcript.md), so a
// problem in the field can be read, and replayed, at a desk.
//
// Lines are buffered and written at least once a second (Tick, called by the
// owner's timer, and every new line) and when the transcript ends, so a
// program that is killed leaves a file that is whole up to its last second.
// A file never grows beyond the cap: the transcript then goes on in a new
// file of the same name, and the full one becomes NAME.1 (an older NAME.1 is
// replaced).
struct TranscriptSetup {
  std::string path;
  std::uint64_t capBytes = 16u * 1024u * 1024u;  // raised to kMinimumTranscriptCap when lower
  std::string program;                           // "vq2x-tool 1.0.0", for the header
  std::function<std::string(TPort)> portPath;    // the device a port name stands for; may be empty
  std::function<std::int64_t()> clockMs;         // monotonic milliseconds; empty: the steady clock
  // The port and its line settings as the transcript starts, for the header;
  // every file after a rotation names them as they are then.
  TPort port = TPort::COM1;
  LineSettings settings;
  std::chrono::system_clock::time_point started = std::chrono::system_clock::now();
  bool append = false;  // go on in an existing file (logging switched off and on again in one run)
};

// Big enough for the header and the longest line.
constexpr std::uint64_t kMinimumTranscriptCap = 64u * 1024u;
// Bytes of one reply attempt that are written out; more are only counted.
constexpr std::size_t kMaxRecordedReplyBytes = 1024;
constexpr std::size_t kMaxRecordedAttempts = 4;

class TrafficTranscript : public TrafficObserver {
public:
  // Null, with the system's text in *error, when the file cannot be created.
  static std::unique_ptr<TrafficTranscript> Open(TranscriptSetup setup, std::string* error);
  ~TrafficTranscript() override;

  // Writes the lines held when the oldest of them is 750 ms old; called at
  // least every quarter second, no line waits longer than a second.
  void Tick();
  void Flush();
  // The system's text of the last failed write; empty while all went well.
  const std::string& WriteError() const { return writeError_; }

  void PortOpened(TPort port, const LineSettings& settings, const std::string& failure) override;
  void PortClosed() override;
  void LineSettingsChanged(const LineSettings& settings) override;
  void ExchangeStarted(std::span<const std::uint8_t> sent) override;
  void ReplyBytes(std::span<const std::uint8_t> received, bool restart) override;
  void ExchangeEnded(const TCommError& outcome) override;

private:
  struct Exchange {
    std::int64_t startMs = 0;
    std::string sent;
    std::vector<std::string> attempts;
    std::uint64_t omitted = 0;  // reply bytes beyond what is written out
  };

  TrafficTranscript(TranscriptSetup setup, std::FILE* file);
  std::int64_t Now() const;
  std::string Header() const;
  std::string PortText(TPort port, const LineSettings& settings) const;
  void Line(const std::string& text, std::int64_t atMs);
  void EndExchange(const TCommError& outcome);
  void Rotate();

  TranscriptSetup setup_;
  std::FILE* file_;
  std::int64_t startMs_ = 0;
  std::string buffer_;
  std::optional<std::int64_t> oldestBufferedMs_;
  std::uint64_t fileBytes_ = 0;  // written and buffered, in the current file
  int part_ = 1;
  bool portOpen_ = false;
  TPort port_;
  LineSettings settings_;
  std::optional<Exchange> exchange_;
  std::string writeError_;
};

// "vq2x-traffic-2025-03-14_092653.txt": one transcript per run of the
// program, named by the local time it started.
std::string TranscriptFileName(std::chrono::system_clock::time_point started);
