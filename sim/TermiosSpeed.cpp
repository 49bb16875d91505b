// Kept apart from the other termios code: the Linux header with the exact
// rate (termios2) cannot share a file with <termios.h>.
#include "TermiosSpeed.h"

#ifdef __linux__
#include <asm/termbits.h>
#include <sys/ioctl.h>

int ReadTerminalBaud(int fd) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return 0;
  return static_cast<int>(settings.c_ospeed);
}
#endif
