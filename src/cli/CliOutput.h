#pragma once

#include <nlohmann/json.hpp>
#include <string>

// Results go to stdout: lines of text for people, or with --json one JSON
// document for the whole command, written when the command ends. Messages
// go to stderr, one line each, whatever the mode.
using Json = nlohmann::ordered_json;

class CliOutput {
public:
  explicit CliOutput(bool json) : json_(json) {}

  bool JsonMode() const { return json_; }
  // Text mode: a line of results, at once.
  void Line(const std::string& text) const;
  // One line on stderr, prefixed "vq2x: ".
  static void Message(const std::string& text);

  // JSON mode: the document of one unit (or of the command, for commands
  // without units).
  void AddUnit(Json unit) { units_.push_back(std::move(unit)); }
  // Writes the document: the one unit's own, or {"units": [...], "status"}
  // when several units were asked for (manyUnits).
  void Finish(int status, bool manyUnits) const;

private:
  bool json_;
  Json units_ = Json::array();
};

// Progress on stderr while a job runs, only when stderr is a terminal and
// --quiet is not given: "unit 3  rp 120  121/340  35 %".
class Progress {
public:
  explicit Progress(bool wanted);
  ~Progress();
  void Show(int unit, const std::string& item, std::size_t done, std::size_t total);
  void Clear();

private:
  bool on_;
  bool shown_ = false;
};
