#include "ControlScript.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/AtomicFile.h"

namespace {

std::string_view TrimLine(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool ParseEvent(std::string_view line, ScriptEvent* event) {
  std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos) return false;
  std::string time(line.substr(0, blank));
  char* end = nullptr;
  double seconds = std::strtod(time.c_str(), &end);
  if (*end != '\0' || !std::isfinite(seconds) || seconds < 0) return false;
  event->seconds = seconds;
  event->command = std::string(TrimLine(line.substr(blank)));
  return !event->command.empty();
}

}  // namespace

bool ParseControlScript(std::string_view text, std::vector<ScriptEvent>* events, std::string* error) {
  events->clear();
  int lineNumber = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = TrimLine(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    ScriptEvent event;
    if (!ParseEvent(line, &event)) {
      if (error) *error = "line " + std::to_string(lineNumber) + ": expected SECONDS COMMAND";
      return false;
    }
    events->push_back(event);
  }
  std::stable_sort(events->begin(), events->end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.seconds < b.seconds; });
  return true;
}

bool LoadControlScript(const std::string& path, std::vector<ScriptEvent>* events, std::string* error) {
  std::string text;
  if (!ReadWholeFile(path, &text, 1u << 20, error)) return false;
  return ParseControlScript(text, events, error);
}
