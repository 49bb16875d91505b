#include "platform/QuotedBytes.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string QuoteBytes(std::string_view bytes) {
  static const char hex[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (unsigned char c : bytes) {
    switch (c) {
      case '\r': text += "\\r"; break;
      case '\n': text += "\\n"; break;
      case '\t': text += "\\t"; break;
      case '\\': text += "\\\\"; break;
      case '"': text += "\\\""; break;
      default:
        if (c >= 0x20 && c < 0x7F) {
          text += static_cast<char>(c);
        } else {
          text += "\\x";
          text += hex[c >> 4];
          text += hex[c & 15];
        }
    }
  }
  return text + "\"";
}

std::optional<std::string> UnquoteBytes(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string bytes;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return bytes;
    }
    if (c != '\\') {
      bytes += c;
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    switch (text[i]) {
      case 'r': bytes += '\r'; break;
      case 'n': bytes += '\n'; break;
      case 't': bytes += '\t'; break;
      case '\\': bytes += '\\'; break;
      case '"': bytes += '"'; break;
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[i + 1]), low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}
