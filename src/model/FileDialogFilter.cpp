#include "model/FileDialogFilter.h"

#include <vector>

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t end; (end = text.find(separator)) != std::string_view::npos; text.remove_prefix(end + 1))
    parts.push_back(text.substr(0, end));
  parts.push_back(text);
  return parts;
}

// "*.vqs; *.txt" as "*.vqs *.txt".
std::string PatternList(std::string_view patterns) {
  std::string list;
  for (std::string_view pattern : Split(patterns, ';')) {
    pattern = Trimmed(pattern);
    if (pattern.empty()) continue;
    if (!list.empty()) list += ' ';
    list += pattern;
  }
  return list;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string Entry(std::string_view description, std::string_view patterns) {
  description = Trimmed(description);
  const std::string list = PatternList(patterns);
  if (list.empty()) return {};  // a description alone would be taken for a pattern
  if (description.empty()) return list;
  if (EndsWith(description, "(" + list + ")") || EndsWith(description, "(" + std::string(Trimmed(patterns)) + ")"))
    return std::string(description);
  return std::string(description) + " (" + list + ")";
}

}  // namespace

std::string DialogFilter(std::string_view filter) {
  const std::vector<std::string_view> parts = Split(filter, '|');
  std::string result;
  for (std::size_t at = 0; at < parts.size(); at += 2) {
    const bool paired = at + 1 < parts.size();
    const std::string entry = paired ? Entry(parts[at], parts[at + 1]) : Entry({}, parts[at]);
    if (entry.empty()) continue;
    if (!result.empty()) result += ";;";
    result += entry;
  }
  return result;
}
