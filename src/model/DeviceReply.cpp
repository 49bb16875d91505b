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
