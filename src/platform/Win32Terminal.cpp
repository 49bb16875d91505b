#include "platform/Terminal.h"

#include <windows.h>

bool IsTerminal(TerminalStream stream) {
  DWORD which = STD_INPUT_HANDLE;
  switch (stream) {
    case TerminalStream::Input: which = STD_INPUT_HANDLE; break;
    case TerminalStream::Output: which = STD_OUTPUT_HANDLE; break;
    case TerminalStream::Error: which = STD_ERROR_HANDLE; break;
  }
  // Only a console has a console mode; files, pipes and NUL have none.
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(which), &mode) != 0;
}
