#pragma once

#include <string_view>

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Text without the UTF-8 byte-order marks at its start, which some editors
// put in front of a file, a second one when the file already held one (read
// as text). Any mark left would hide the first line's content.
inline std::string_view SkipUtf8Bom(std::string_view text) {
  while (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  return text;
}
