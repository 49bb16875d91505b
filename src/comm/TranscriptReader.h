#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "comm/TranscriptFormat.h"

// A traffic transcript read back: for tests, for tools that look into a
// field problem, and for fuzzing. Total: any bytes give a result; a line
// that is not understood is named in `problems` and skipped, so a file cut
// off in the middle of a line (a killed program) is read up to that line.
struct TranscriptEvent {
  enum class Kind { Open, OpenFailed, Close, Settings, Exchange };
  Kind kind = Kind::Exchange;
  std::int64_t ms = 0;  // since the start

  std::string port, path, settings, failure;  // open, open-failed ("COM1", "/dev/ttyS0", "9600,E,8,1"); settings

  TranscriptOutcome outcome = TranscriptOutcome::Reply;  // exchange
  std::int64_t durationMs = 0;
  std::int64_t code = 0, flags = 0, systemError = 0;
  std::string sent;
  std::vector<std::string> replies;  // the bytes of each attempt; the last is the one the tool took
  std::uint64_t omitted = 0;         // reply bytes received but not written out
};

struct TranscriptRead {
  bool recognised = false;  // the first line names the format; else nothing else is read
  std::string started, program;
  std::vector<TranscriptEvent> events;
  std::vector<std::string> problems;  // "line 12: ..."
};

TranscriptRead ReadTranscript(std::string_view bytes);
