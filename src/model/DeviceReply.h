#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "comm/FrameBuffer.h"

// Replies of the device: the echoed command word and a blank (three bytes),
// the value text, then two line-end bytes.
constexpr std::size_t kReplyCopyLimit = 100;     // bytes of a reply the windows keep
constexpr std::size_t kShortReplyCopyLimit = 20;  // for "ri", "ru", "r4", "r5"

// The value text of a reply: from the fourth byte up to, not including, the
// last two. Only the first `limit` bytes of the reply are looked at (a
// longer reply is cut there); a copy of five bytes or fewer has no value.
std::string ReplyValue(const ResultBytes& reply, std::size_t limit = kReplyCopyLimit);

// The reply without its last two bytes (its line end), at most `limit`
// bytes looked at; empty for two bytes or fewer.
std::string ReplyText(const ResultBytes& reply, std::size_t limit = kReplyCopyLimit);

// The text of a reply that is one whole line: everything before the CR LF
// that ends it. None for a reply longer than `limit`, one that does not end
// in CR LF, or one that holds a CR or LF before it: a reply cut short by a
// pause on the line, or two replies run together, carries no value.
std::optional<std::string> ReplyLine(const ResultBytes& reply, std::size_t limit = kReplyCopyLimit);

// The text after "<code> <number>" of a whole-line reply that echoes both
// ("rp 12 1500" for "rp" and 12 gives "1500"; empty when nothing follows the
// number). The number is compared as a number, so "rp 007" echoes 7. None
// for any other reply: a late reply to an earlier command is not this one's.
std::optional<std::string> EchoedReplyRest(const ResultBytes& reply, std::string_view code, int number);

// Whether the reply echoes the command: its first two characters are the
// command's code. A reply to another command (one that came late) is not a
// value of this one.
bool EchoesCommand(const ResultBytes& reply, std::string_view command);

// A signed decimal whole number in the 32-bit range, nothing else: an
// optional "-" and digits only ("12", "-5"); no blanks, no "+", no hex.
std::optional<std::int32_t> ParseDecimal(std::string_view text);

// The whole reply as text, broken into lines at its line ends (CR LF, CR or
// LF), for showing in a multi-line field.
std::string ReplyLines(const ResultBytes& reply);
