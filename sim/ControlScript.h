#pragma once

#include <string>
#include <string_view>
#include <vector>

// A script of timed operator commands, one per line: seconds after the
// start, then the command ("5 in 1 on", "12.5 fault ssi"). Blank lines and
// lines starting with "#" are skipped.
struct ScriptEvent {
  double seconds = 0;
  std::string command;
};

// Events sorted by time (stable for equal times). False, with *error naming
// the line, for a line without a valid time or command.
bool ParseControlScript(std::string_view text, std::vector<ScriptEvent>* events, std::string* error);
bool LoadControlScript(const std::string& path, std::vector<ScriptEvent>* events, std::string* error);
