#include "comm/TranscriptReader.h"

#include <charconv>
#include <optional>

namespace {

using Kind = TranscriptEvent::Kind;

std::string_view Token(std::string_view& rest) {
  const std::size_t begin = rest.find_first_not_of(' ');
  if (begin == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(begin);
  const std::size_t end = std::min(rest.find(' '), rest.size());
  const std::string_view token = rest.substr(0, end);
  rest.remove_prefix(end);
  return token;
}

std::optional<std::int64_t> Number(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::string> Quoted(std::string_view& rest) {
  rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
  return UnquoteBytes(rest);
}

bool ParseOpen(std::string_view rest, TranscriptEvent& event) {
  event.port = Token(rest);
  const auto path = Quoted(rest);
  if (!path) return false;
  event.path = *path;
  event.settings = Token(rest);
  if (event.kind == Kind::OpenFailed) {
    const auto failure = Quoted(rest);
    if (!failure) return false;
    event.failure = *failure;
  }
  return !event.port.empty() && !event.settings.empty();
}

bool ParseExchange(std::string_view rest, TranscriptEvent& event) {
  const auto outcome = OutcomeNamed(Token(rest));
  const std::string_view duration = Token(rest);
  if (!outcome || duration.size() < 3 || duration.substr(duration.size() - 2) != "ms") return false;
  const auto ms = Number(duration.substr(0, duration.size() - 2));
  if (!ms) return false;
  event.outcome = *outcome;
  event.durationMs = *ms;
  for (std::string_view token = Token(rest); token != ">"; token = Token(rest)) {
    const std::size_t equals = token.find('=');
    if (token.empty() || equals == std::string_view::npos) return false;
    const auto value = Number(token.substr(equals + 1));
    if (!value) return false;
    const std::string_view key = token.substr(0, equals);
    if (key == "code") event.code = *value;
    if (key == "flags") event.flags = *value;
    if (key == "errno") event.systemError = *value;
  }
  const auto sent = Quoted(rest);
  if (!sent) return false;
  event.sent = *sent;
  for (std::string_view token = Token(rest); !token.empty(); token = Token(rest)) {
    if (token.front() == '+') {
      const auto omitted = Number(token.substr(1));
      if (!omitted || *omitted < 0 || !Token(rest).empty()) return false;
      event.omitted = static_cast<std::uint64_t>(*omitted);
      return true;
    }
    const auto reply = token == "<" ? Quoted(rest) : std::nullopt;
    if (!reply) return false;
    event.replies.push_back(*reply);
  }
  return true;
}

std::optional<TranscriptEvent> ParseEvent(std::string_view line) {
  TranscriptEvent event;
  const auto ms = Number(Token(line));
  if (!ms) return std::nullopt;
  event.ms = *ms;
  const std::string_view kind = Token(line);
  if (kind == "open" || kind == "open-failed") {
    event.kind = kind == "open" ? Kind::Open : Kind::OpenFailed;
    if (!ParseOpen(line, event)) return std::nullopt;
  } else if (kind == "close") {
    event.kind = Kind::Close;
  } else if (kind == "settings") {
    event.kind = Kind::Settings;
    event.settings = Token(line);
    if (event.settings.empty()) return std::nullopt;
  } else if (kind == "exchange") {
    event.kind = Kind::Exchange;
    if (!ParseExchange(line, event)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  return event;
}

void Header(std::string_view line, TranscriptRead& read) {
  for (const std::string_view field : {std::string_view("# started "), std::string_view("# program ")})
    if (line.substr(0, field.size()) == field)
      (field[2] == 's' ? read.started : read.program) = std::string(line.substr(field.size()));
}

}  // namespace

TranscriptRead ReadTranscript(std::string_view bytes) {
  TranscriptRead read;
  std::size_t number = 0;
  while (!bytes.empty()) {
    ++number;
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      read.problems.push_back("line " + std::to_string(number) + ": cut off");
      break;
    }
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // Another file's lines are never taken for traffic.
    if (number == 1 && !(read.recognised = line == kTranscriptFirstLine)) {
      read.problems.push_back("line 1: not a traffic transcript");
      break;
    }
    if (line.empty()) continue;
    if (line.front() == '#') {
      Header(line, read);
      continue;
    }
    if (auto event = ParseEvent(line))
      read.events.push_back(std::move(*event));
    else
      read.problems.push_back("line " + std::to_string(number) + ": not understood");
  }
  return read;
}
