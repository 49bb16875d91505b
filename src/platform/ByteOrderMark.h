#pragma once

#include <string_view>

// Text without a leading UTF-8 byte-order mark, which some editors put in
// front of a file; read as text it would hide the first line's content.
inline std::string_view SkipUtf8Bom(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}
