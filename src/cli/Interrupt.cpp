#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted = true; }

}  // namespace

void CatchInterrupt() {
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
}

bool Interrupted() { return interrupted; }
