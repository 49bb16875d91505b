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
