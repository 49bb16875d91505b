#include "platform/Terminal.h"

#include <unistd.h>

bool IsTerminal(TerminalStream stream) {
  switch (stream) {
    case TerminalStream::Input: return ::isatty(STDIN_FILENO) == 1;
    case TerminalStream::Output: return ::isatty(STDOUT_FILENO) == 1;
    case TerminalStream::Error: return ::isatty(STDERR_FILENO) == 1;
  }
  return false;
}
