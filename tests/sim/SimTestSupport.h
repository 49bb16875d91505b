#pragma once

#include <memory>
#include <string>

#include "SimDevice.h"

// A unit whose axis stands still at a count, and a helper that sends it one
// command line and returns the reply text.
struct StillDevice {
  explicit StillDevice(double count = 2000, const std::string& type = "VQ22", int unit = 0,
                       ParameterLimits limits = BuiltInLimits())
      : start(SimClock::now()) {
    SimDeviceSetup setup;
    setup.unitNumber = unit;
    setup.type = type;
    setup.limits = limits;
    setup.motion = MotionProfile(MotionProfile::Shape::Still, count, count, 1);
    device = std::make_unique<SimDevice>(setup, DeviceMemory::Defaults(limits), start);
  }

  std::string Send(const std::string& line, double secondsAfterStart = 1.0) {
    auto command = ParseDeviceCommand(line);
    if (!command) return "<unparsable>";
    return device->Execute(*command, At(secondsAfterStart));
  }

  SimTime At(double seconds) const {
    return start + std::chrono::duration_cast<SimDuration>(std::chrono::duration<double>(seconds));
  }

  // Writes parameters and takes them over; returns the "bp" reply.
  std::string Apply(std::initializer_list<std::pair<int, long long>> values) {
    for (auto [number, value] : values) Send("wp " + std::to_string(number) + " " + std::to_string(value));
    return Send("bp");
  }

  SimTime start;
  std::unique_ptr<SimDevice> device;
};
