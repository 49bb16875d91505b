#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "comm/RkGlobal.h"
#include "comm/SerialApi.h"

// Whoever keeps a record of what goes over a port (the traffic transcript).
// The port that owns the line calls it, always on the UI thread: the worker
// never reaches it, so it needs no locks.
class TrafficObserver {
public:
  virtual ~TrafficObserver() = default;

  // The port opened (failure empty), or did not (failure: the system's text).
  virtual void PortOpened(TPort port, const LineSettings& settings, const std::string& failure) = 0;
  // The port closed; an exchange under way ends with it.
  virtual void PortClosed() = 0;
  // Line settings changed on the open port.
  virtual void LineSettingsChanged(const LineSettings& settings) = 0;
  // An exchange starts with these bytes on the line.
  virtual void ExchangeStarted(std::span<const std::uint8_t> sent) = 0;
  // Reply bytes as the component gets them; `restart` marks the first bytes
  // of an attempt (a failed attempt's bytes are then discarded and the
  // command was sent again).
  virtual void ReplyBytes(std::span<const std::uint8_t> received, bool restart) = 0;
  virtual void ExchangeEnded(const TCommError& outcome) = 0;
};
