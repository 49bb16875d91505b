#include "model/DeviceReply.h"

#include <algorithm>

std::string ReplyValue(const ResultBytes& reply, std::size_t limit) {
  const std::size_t size = std::min(reply.size(), limit);
  if (size <= 5) return {};
  return std::string(reply.begin() + 3, reply.begin() + static_cast<std::ptrdiff_t>(size - 2));
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
