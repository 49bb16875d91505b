#pragma once

#include <memory>
#include <string>

#include "LineSettings.h"

// The file descriptors of the line the simulator serves.
//
// Pseudo-terminal: the simulator reads and writes the master side and keeps
// a descriptor of the slave open for itself, never reading it. So the tool
// can close and reopen the slave without the master seeing a hang-up, and
// the line settings the tool sets on the slave can be read from that
// descriptor (all descriptors of a slave share one termios).
//
// Real serial device: one descriptor, set to the framing given.
class SerialLine {
public:
  static std::unique_ptr<SerialLine> OpenPty(std::string* error);
  static std::unique_ptr<SerialLine> OpenDevice(const std::string& path, const LineSettings& settings,
                                                std::string* error);
  ~SerialLine();
  SerialLine(const SerialLine&) = delete;
  SerialLine& operator=(const SerialLine&) = delete;

  int dataFd() const { return dataFd_; }  // non-blocking
  const std::string& name() const { return name_; }
  // The framing as the line's termios says now.
  LineSettings Settings() const;

private:
  SerialLine(int dataFd, int settingsFd, std::string name);

  int dataFd_;
  int settingsFd_;  // the slave for a pty; the device itself otherwise
  std::string name_;
};
