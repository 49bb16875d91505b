#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "LineSettings.h"
#include "SimDevice.h"
#include "UnitConfig.h"

// The units sharing one line (a multi-drop RS485 bus). Every unit hears
// every line it can decode; "sc N" selects unit N and deselects all others,
// and only a selected unit answers. A unit that cannot decode the line's
// framing (other baud rate, stop bits or parity) changes nothing, and if it
// was selected it answers with a few bytes that its reply turns into at the
// line's rate.
class LineBus {
public:
  struct Unit {
    UnitConfig config;
    std::unique_ptr<SimDevice> device;
    bool selected = false;
  };

  void AddUnit(const UnitConfig& config, std::unique_ptr<SimDevice> device);

  // The bytes the units send for one command line (without its CR), in the
  // order of the units; empty when nobody answers.
  std::string Hear(std::string_view line, const LineSettings& settings, SimTime now);

  std::vector<Unit>& units() { return units_; }
  const std::vector<Unit>& units() const { return units_; }
  SimDevice* Find(int unitNumber);

private:
  std::string AnswerOf(Unit& unit, std::string_view line, SimTime now);
  std::string GarbageFor(const Unit& unit);

  std::vector<Unit> units_;
  std::uint32_t garbageSeed_ = 0x5A17u;
};
