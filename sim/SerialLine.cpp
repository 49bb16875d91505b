#include "SerialLine.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "TermiosSpeed.h"

namespace {

std::string SystemText(const std::string& what) { return what + ": " + std::strerror(errno); }

// Raw: no echo, no CR/LF translation, no signals, 8 data bits.
bool MakeRaw(int fd, const LineSettings& line) {
  struct termios settings {};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  settings.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD);
  settings.c_cflag |= line.dataBits == 7 ? CS7 : CS8;
  if (line.stopBits == 2) settings.c_cflag |= CSTOPB;
  if (line.parity != 'N') settings.c_cflag |= PARENB;
  if (line.parity == 'O') settings.c_cflag |= PARODD;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &settings) != 0) return false;
  return SetTerminalBaud(fd, line.baud);
}

bool SetNonBlocking(int fd) {
  int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

SerialLine::SerialLine(int dataFd, int settingsFd, std::string name)
    : dataFd_(dataFd), settingsFd_(settingsFd), name_(std::move(name)) {}

SerialLine::~SerialLine() {
  if (settingsFd_ != dataFd_) close(settingsFd_);
  close(dataFd_);
}

std::unique_ptr<SerialLine> SerialLine::OpenPty(std::string* error) {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    *error = SystemText("cannot create a pseudo-terminal");
    if (master >= 0) close(master);
    return nullptr;
  }
  const char* slaveName = ptsname(master);
  int slave = slaveName ? open(slaveName, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
  if (slave < 0) {
    *error = SystemText("cannot open the pseudo-terminal's slave");
    close(master);
    return nullptr;
  }
  std::unique_ptr<SerialLine> line(new SerialLine(master, slave, slaveName));
  if (!MakeRaw(slave, LineSettings{}) || !SetNonBlocking(master)) {
    *error = SystemText("cannot set up the pseudo-terminal");
    return nullptr;
  }
  return line;
}

std::unique_ptr<SerialLine> SerialLine::OpenDevice(const std::string& path, const LineSettings& settings,
                                                   std::string* error) {
  int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *error = SystemText("cannot open " + path);
    return nullptr;
  }
  std::unique_ptr<SerialLine> line(new SerialLine(fd, fd, path));
  if (!MakeRaw(fd, settings)) {
    *error = SystemText("cannot set the line settings of " + path);
    return nullptr;
  }
  return line;
}

LineSettings SerialLine::Settings() const {
  LineSettings line;
  struct termios settings {};
  if (tcgetattr(settingsFd_, &settings) != 0) return line;
  line.baud = ReadTerminalBaud(settingsFd_);
  line.dataBits = (settings.c_cflag & CSIZE) == CS7 ? 7 : (settings.c_cflag & CSIZE) == CS6 ? 6
                  : (settings.c_cflag & CSIZE) == CS5 ? 5 : 8;
  line.parity = !(settings.c_cflag & PARENB) ? 'N' : (settings.c_cflag & PARODD) ? 'O' : 'E';
  line.stopBits = (settings.c_cflag & CSTOPB) ? 2 : 1;
  return line;
}
