#include "comm/PosixBaud.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

int SetArbitraryBaud(int fd, int baud) {
  struct termios2 settings {};
  if (::ioctl(fd, TCGETS2, &settings) != 0) return errno;
  settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ispeed = static_cast<speed_t>(baud);
  settings.c_ospeed = static_cast<speed_t>(baud);
  if (::ioctl(fd, TCSETS2, &settings) != 0) return errno;
  return 0;
}

int GetActualBaud(int fd, int& baud) {
  struct termios2 settings {};
  if (::ioctl(fd, TCGETS2, &settings) != 0) return errno;
  baud = static_cast<int>(settings.c_ospeed);
  return 0;
}
