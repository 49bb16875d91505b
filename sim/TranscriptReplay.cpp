#include "TranscriptReplay.h"

#include <fstream>
#include <sstream>

namespace {

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
}

std::string_view Word(std::string_view& text) {
  SkipBlanks(text);
  std::size_t end = 0;
  while (end < text.size() && text[end] != ' ') ++end;
  std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

// A field in double quotes with \r \n \t \\ \" and \xNN escapes.
std::optional<std::string> Field(std::string_view& text) {
  SkipBlanks(text);
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string bytes;
  std::size_t i = 1;
  for (; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    const char e = text[i];
    if (e == 'x') {
      if (i + 2 >= text.size() || Hex(text[i + 1]) < 0 || Hex(text[i + 2]) < 0) return std::nullopt;
      bytes += static_cast<char>(Hex(text[i + 1]) * 16 + Hex(text[i + 2]));
      i += 2;
    } else if (e == 'r' || e == 'n' || e == 't' || e == '\\' || e == '"') {
      bytes += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
    } else {
      return std::nullopt;
    }
  }
  if (i >= text.size()) return std::nullopt;
  text.remove_prefix(i + 1);
  return bytes;
}

// "MS exchange OUTCOME DURATIONms [KEY=VALUE ...] > SENT [< REPLY ...] [+N]":
// the bytes sent and the last reply (the one the tool took).
bool ParseExchange(std::string_view line, std::string& sent, std::string& reply) {
  Word(line);  // milliseconds
  if (Word(line) != "exchange") return false;
  Word(line);  // outcome
  Word(line);  // duration
  for (std::string_view word = Word(line); word != ">"; word = Word(line))
    if (word.empty()) return false;
  const auto command = Field(line);
  if (!command) return false;
  sent = *command;
  reply.clear();
  for (std::string_view word = Word(line); !word.empty() && word.front() != '+'; word = Word(line)) {
    const auto bytes = word == "<" ? Field(line) : std::nullopt;
    if (!bytes) return false;
    reply = *bytes;
  }
  return true;
}

}  // namespace

std::optional<TranscriptReplay> TranscriptReplay::Load(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    if (error) *error = "cannot read " + path;
    return std::nullopt;
  }
  std::stringstream text;
  text << file.rdbuf();
  auto replay = Parse(text.str(), error);
  if (!replay && error) *error = path + ": " + *error;
  return replay;
}

std::optional<TranscriptReplay> TranscriptReplay::Parse(std::string_view text, std::string* error) {
  TranscriptReplay replay;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    // A program killed while writing leaves its last line unfinished.
    if (end == std::string_view::npos) break;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view words = line;
    Word(words);
    if (line.empty() || line.front() == '#' || Word(words) != "exchange") continue;
    Recorded recorded;
    if (!ParseExchange(line, recorded.sent, recorded.reply)) {
      if (error) *error = "line " + std::to_string(number) + " is not an exchange of the transcript format";
      return std::nullopt;
    }
    replay.exchanges_.push_back(std::move(recorded));
  }
  return replay;
}

std::optional<std::string> TranscriptReplay::Answer(std::string_view command) {
  for (Recorded& recorded : exchanges_) {
    if (recorded.replayed || recorded.sent != command) continue;
    recorded.replayed = true;
    return recorded.reply;
  }
  return std::nullopt;
}

std::size_t TranscriptReplay::Remaining() const {
  std::size_t count = 0;
  for (const Recorded& recorded : exchanges_) count += recorded.replayed ? 0 : 1;
  return count;
}
