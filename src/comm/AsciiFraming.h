#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The reply framing of the ASCII line protocol as a pure state machine: the
// worker feeds it every byte it reads (with the time since the reply's
// first byte) and tells it when the line fell silent; the decoder says what
// to do next. No I/O, so tests feed it bytes directly.
//
// A reply is any bytes; with a start character set its first byte must be
// that character; it ends at the stop character when one is set, else at the
// first silence after a byte. Filtered drops the start and stop characters.
// With lineEnd set, the first CR LF after the reply's first byte ends it as
// well (a peer that sends none still ends it by silence).
// A reply that never ends (a peer that floods the line) is cut after
// kMaxReplyBytes bytes or kMaxReplyMs from its first byte.
struct AsciiFraming {
  std::uint8_t start = 0;  // 0: no start character
  std::uint8_t stop = 0;   // 0: the reply ends by silence
  bool filtered = false;
  bool lineEnd = false;
};

enum class AsciiStep {
  NeedMore,  // byte taken; hand Pending() over (it may be empty) and read on
  Done,      // the reply is complete; hand Pending() over if it holds bytes, then finish
  BadStart,  // the first byte is not the start character: a failed attempt
  Overflow,  // the reply is too long or lasts too long: fail without retry, purge the rest
  NoReply,   // silence before any byte: the device did not answer
};

class AsciiReplyDecoder {
public:
  static constexpr std::size_t kMaxReplyBytes = 4096;
  static constexpr std::int64_t kMaxReplyMs = 5000;

  explicit AsciiReplyDecoder(AsciiFraming framing) : framing_(framing) {}

  AsciiStep Push(std::uint8_t byte, std::int64_t msSinceFirstByte);
  AsciiStep Silence() const { return receiving_ ? AsciiStep::Done : AsciiStep::NoReply; }

  // Bytes taken since the last TakePending (start and stop characters left
  // out when filtered).
  const std::vector<std::uint8_t>& Pending() const { return pending_; }
  void TakePending() { pending_.clear(); }
  bool Receiving() const { return receiving_; }
  // The reply ended at its CR LF: more bytes may be on their way behind it.
  bool EndedAtLineEnd() const { return endedAtLineEnd_; }

private:
  AsciiFraming framing_;
  std::vector<std::uint8_t> pending_;
  bool receiving_ = false;
  bool endedAtLineEnd_ = false;
  std::size_t total_ = 0;
  std::uint8_t previous_ = 0;
};
