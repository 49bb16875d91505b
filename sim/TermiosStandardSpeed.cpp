#include <termios.h>

#include "TermiosSpeed.h"

namespace {

struct SpeedCode {
  speed_t code;
  int baud;
};

constexpr SpeedCode SpeedCodes[] = {
    {B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
    {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200},
};

}  // namespace

#ifndef __linux__
int ReadTerminalBaud(int fd) {
  struct termios settings {};
  if (tcgetattr(fd, &settings) != 0) return 0;
  speed_t code = cfgetospeed(&settings);
  for (const SpeedCode& known : SpeedCodes)
    if (known.code == code) return known.baud;
  return 0;
}
#endif

bool SetTerminalBaud(int fd, int baud) {
  struct termios settings {};
  if (tcgetattr(fd, &settings) != 0) return false;
  for (const SpeedCode& known : SpeedCodes) {
    if (known.baud != baud) continue;
    cfsetispeed(&settings, known.code);
    cfsetospeed(&settings, known.code);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
  }
  return false;
}
