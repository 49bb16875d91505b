#include "platform/CommaList.h"

namespace {

bool IsSkippable(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code >= 1 && code <= 32;
}

bool EndsUnquotedItem(char c) { return c == ',' || static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::vector<std::string> ParseCommaList(std::string_view text) {
  std::vector<std::string> items;
  // A NUL byte ends the text, as it ends a line of the original files.
  text = text.substr(0, text.find('\0'));
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsSkippable(text[i])) ++i;
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < n && !EndsUnquotedItem(text[i])) item += text[i++];
    }
    items.push_back(std::move(item));
    while (i < n && IsSkippable(text[i])) ++i;
    if (i < n && text[i] == ',') {
      ++i;
      while (i < n && IsSkippable(text[i])) ++i;
    }
  }
  return items;
}

std::string JoinCommaList(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k > 0) out += ',';
    const std::string& item = items[k];
    bool quote = item.empty();
    for (char c : item)
      if (EndsUnquotedItem(c) || c == '"') quote = true;
    if (!quote) {
      out += item;
      continue;
    }
    out += '"';
    for (char c : item) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}
