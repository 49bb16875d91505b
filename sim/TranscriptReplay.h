#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A traffic transcript of the tool (docs/transcript.md) that the simulator
// answers from instead of its units (--replay), so a problem recorded in the
// field runs again at a desk. Each command line heard gets the reply
// recorded for the first exchange not yet replayed that sent the same
// bytes; exchanges with the same command are replayed in the order they
// occurred. A recorded time-out (an exchange without reply bytes) is
// silence. Read with the simulator's own code: it shares nothing with the
// tool.
class TranscriptReplay {
public:
  // None, with *error naming the file's line, when the file cannot be read
  // or an exchange line is malformed. Other lines (opens, closes, settings,
  // comments) are skipped.
  static std::optional<TranscriptReplay> Load(const std::string& path, std::string* error);
  static std::optional<TranscriptReplay> Parse(std::string_view text, std::string* error);

  // The reply to `command` (its bytes with the CR): "" for silence; none when
  // no recorded exchange with these bytes is left.
  std::optional<std::string> Answer(std::string_view command);
  std::size_t Remaining() const;

private:
  struct Recorded {
    std::string sent;
    std::string reply;
    bool replayed = false;
  };
  std::vector<Recorded> exchanges_;
};
