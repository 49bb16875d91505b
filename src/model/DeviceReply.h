#pragma once

#include <cstddef>
#include <string>

#include "comm/RkProtocolComponent.h"

// Replies of the device: the echoed command word and a blank (three bytes),
// the value text, then two line-end bytes.
constexpr std::size_t kReplyCopyLimit = 100;     // bytes of a reply the main window keeps
constexpr std::size_t kShortReplyCopyLimit = 20;  // for "ri", "ru", "r4", "r5"

// The value text of a reply: from the fourth byte up to, not including, the
// last two. Only the first `limit` bytes of the reply are looked at (a
// longer reply is cut there); a copy of five bytes or fewer has no value.
std::string ReplyValue(const ResultBytes& reply, std::size_t limit = kReplyCopyLimit);

// The whole reply as text, broken into lines at its line ends (CR LF, CR or
// LF), for showing in a multi-line field.
std::string ReplyLines(const ResultBytes& reply);
