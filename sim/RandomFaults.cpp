#include "RandomFaults.h"

#include <cstdlib>
#include <utility>

namespace {

struct Share {
  const char* name;
  double RandomFaults::*percent;
  RandomFaults::Kind kind;
};

const Share kShares[] = {
    {"garble", &RandomFaults::garble, RandomFaults::Kind::Garble},
    {"silent", &RandomFaults::silent, RandomFaults::Kind::Silent},
    {"late", &RandomFaults::late, RandomFaults::Kind::Late},
    {"split", &RandomFaults::split, RandomFaults::Kind::Split},
    {"double", &RandomFaults::doubled, RandomFaults::Kind::Double},
};

bool SetShare(RandomFaults& faults, std::string_view item, std::string* error) {
  const std::size_t equals = item.find('=');
  const std::string name(item.substr(0, equals));
  const std::string number(equals == std::string_view::npos ? "" : item.substr(equals + 1));
  char* end = nullptr;
  const double percent = std::strtod(number.c_str(), &end);
  for (const Share& share : kShares) {
    if (name != share.name) continue;
    if (number.empty() || *end != '\0' || !(percent >= 0 && percent <= 100)) break;
    faults.*share.percent = percent;
    return true;
  }
  if (error) *error = "--faults: expected NAME=PERCENT (garble, silent, late, split, double), got " + std::string(item);
  return false;
}

}  // namespace

RandomFaults::Kind RandomFaults::Draw(std::mt19937& random) const {
  if (garble + silent + late + split + doubled <= 0) return Kind::None;
  double point = std::uniform_real_distribution<double>(0, 100)(random);
  for (const Share& share : kShares) {
    if (point < this->*share.percent) return share.kind;
    point -= this->*share.percent;
  }
  return Kind::None;
}

std::optional<RandomFaults> ParseRandomFaults(std::string_view text, std::string* error) {
  RandomFaults faults;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    if (!SetShare(faults, text.substr(0, comma), error)) return std::nullopt;
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  if (faults.garble + faults.silent + faults.late + faults.split + faults.doubled > 100) {
    if (error) *error = "--faults: the percentages add up to more than 100";
    return std::nullopt;
  }
  return faults;
}

SimDuration LateReplyDelay(std::string_view commandLine) {
  const std::size_t first = commandLine.find_first_not_of(" \t");
  const std::string_view code = first == std::string_view::npos ? std::string_view{} : commandLine.substr(first, 2);
  int timeoutMs = 300;
  if (code == "rp" || code == "rs") timeoutMs = 1000;
  if (code == "bp") timeoutMs = 2000;
  return Milliseconds(timeoutMs + 300);
}

const char* RandomFaultName(RandomFaults::Kind kind) {
  for (const Share& share : kShares)
    if (share.kind == kind) return share.name;
  return "none";
}
