#pragma once

#include <optional>
#include <string>
#include <string_view>

// Bytes as one line of text: in double quotes, with \r, \n, \t, \\, \"
// and \xNN for every other byte outside printable ASCII. The transcript and
// the simulator's traffic log write them; the transcript reader reads them.
std::string QuoteBytes(std::string_view bytes);

// A quoted field at the start of `text`: its bytes, and `text` advanced past
// the closing quote. None when the field is not well formed.
std::optional<std::string> UnquoteBytes(std::string_view& text);
