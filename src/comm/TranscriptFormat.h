#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "comm/RkGlobal.h"

// The traffic transcript's text format (docs/transcript.md), shared by its
// writer and its reader: one line per event, milliseconds since the start
// first, bytes in double quotes with \r, \n, \t, \\, \" and \xNN escapes.
constexpr std::string_view kTranscriptFirstLine = "# vq2x traffic transcript 1";

enum class TranscriptOutcome {
  Reply,      // the device answered
  Timeout,    // it did not, within the time-out
  LineError,  // the port reported parity, framing or other line errors
  Overrun,    // bytes were lost, or the reply never ended
  Cancelled,  // the port closed under the exchange
  Failed,     // a port call failed, or the reply was malformed
};

TranscriptOutcome OutcomeOf(const TCommError& error);
std::string_view OutcomeName(TranscriptOutcome outcome);  // "reply", "timeout", "line-error", ...
std::optional<TranscriptOutcome> OutcomeNamed(std::string_view name);

// The bytes in double quotes, escaped.
std::string QuoteBytes(std::span<const std::uint8_t> bytes);

// A quoted field at the start of `text`: its bytes, and `text` advanced past
// the closing quote. None when the field is not well formed.
std::optional<std::string> UnquoteBytes(std::string_view& text);
