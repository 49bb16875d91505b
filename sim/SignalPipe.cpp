#include "SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace {

int writeEnd = -1;

void OnSignal(int) {
  int saved = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t ignored = write(writeEnd, &byte, 1);
  errno = saved;
}

}  // namespace

int SignalPipe::Install() {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  for (int fd : fds) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  writeEnd = fds[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
  ::signal(SIGTTIN, SIG_IGN);
  ::signal(SIGTTOU, SIG_IGN);
  return fds[0];
}

void EnsureStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
}
