#include "DeviceCommand.h"

#include <charconv>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitBlanks(std::string_view text) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::optional<std::int64_t> DeviceCommand::Number(std::size_t index) const {
  if (index >= arguments.size()) return std::nullopt;
  const std::string& text = arguments[index];
  std::int64_t value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<DeviceCommand> ParseDeviceCommand(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2) return std::nullopt;
  if (line.size() > 2 && !IsBlank(line[2])) return std::nullopt;
  DeviceCommand command;
  command.code = std::string(line.substr(0, 2));
  command.arguments = SplitBlanks(line.substr(2));
  return command;
}
