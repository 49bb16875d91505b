#include "comm/TranscriptFormat.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 6> kOutcomeNames = {"reply",   "timeout",   "line-error",
                                                           "overrun", "cancelled", "failed"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

TranscriptOutcome OutcomeOf(const TCommError& error) {
  if (error.IsSuccess()) return TranscriptOutcome::Reply;
  switch (error.Code) {
    case ceTimeout: return TranscriptOutcome::Timeout;
    case cePortClosed: return TranscriptOutcome::Cancelled;
    case ceLineError:
      return (error.CommErrors & (CE_RXOVER | CE_OVERRUN)) != 0 ? TranscriptOutcome::Overrun
                                                                : TranscriptOutcome::LineError;
    default: return TranscriptOutcome::Failed;
  }
}

std::string_view OutcomeName(TranscriptOutcome outcome) { return kOutcomeNames[static_cast<std::size_t>(outcome)]; }

std::optional<TranscriptOutcome> OutcomeNamed(std::string_view name) {
  for (std::size_t i = 0; i < kOutcomeNames.size(); ++i)
    if (kOutcomeNames[i] == name) return static_cast<TranscriptOutcome>(i);
  return std::nullopt;
}

std::string QuoteBytes(std::span<const std::uint8_t> bytes) {
  static const char hex[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (std::uint8_t c : bytes) {
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
