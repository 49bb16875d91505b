#include "model/DeviceReply.h"

#include <algorithm>
#include <charconv>

std::string ReplyValue(const ResultBytes& reply, std::size_t limit) {
  const std::size_t size = std::min(reply.size(), limit);
  if (size <= 5) return {};
  return std::string(reply.begin() + 3, reply.begin() + static_cast<std::ptrdiff_t>(size - 2));
}

std::string ReplyText(const ResultBytes& reply, std::size_t limit) {
  const std::size_t size = std::min(reply.size(), limit);
  if (size <= 2) return {};
  return std::string(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(size - 2));
}

std::optional<std::string> ReplyLine(const ResultBytes& reply, std::size_t limit) {
  if (reply.size() > limit || reply.size() < 2 || reply[reply.size() - 2] != '\r' || reply.back() != '\n')
    return std::nullopt;
  std::string text(reply.begin(), reply.end() - 2);
  if (text.find_first_of("\r\n") != std::string::npos) return std::nullopt;
  return text;
}

std::optional<std::string> EchoedReplyRest(const ResultBytes& reply, std::string_view code, int number) {
  const std::optional<std::string> text = ReplyLine(reply);
  if (!text || text->size() <= code.size() || !text->starts_with(code) || (*text)[code.size()] != ' ')
    return std::nullopt;
  const std::string rest = text->substr(code.size() + 1);
  const std::size_t blank = rest.find(' ');
  if (ParseDecimal(std::string_view(rest).substr(0, blank)) != number) return std::nullopt;
  return blank == std::string::npos ? std::string() : rest.substr(blank + 1);
}

bool EchoesCommand(const ResultBytes& reply, std::string_view command) {
  return reply.size() >= 2 && command.size() >= 2 && reply[0] == static_cast<std::uint8_t>(command[0]) &&
         reply[1] == static_cast<std::uint8_t>(command[1]);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  if (text.empty() || text == "-") return std::nullopt;
  const std::size_t digitsFrom = text.front() == '-' ? 1 : 0;
  if (!std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digitsFrom), text.end(),
                   [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string ReplyLines(const ResultBytes& reply) {
  std::string text;
  for (std::size_t i = 0; i < reply.size(); ++i) {
    const char c = static_cast<char>(reply[i]);
    if (c == '\r') {
      text += '\n';
      if (i + 1 < reply.size() && reply[i + 1] == '\n') ++i;
    } else {
      text += c;
    }
  }
  return text;
}
