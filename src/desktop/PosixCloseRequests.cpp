#include "desktop/CloseRequests.h"

#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

// Written by the signal handler, read by the watcher's thread.
int g_pipe[2] = {-1, -1};

constexpr char kRequest = 1;
constexpr char kStop = 0;

void OnSignal(int) {
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &kRequest, 1);
}

}  // namespace

struct CloseRequestWatcher::State {
  std::function<void()> onRequest;
  std::thread reader;
};

CloseRequestWatcher::CloseRequestWatcher(std::function<void()> onRequest) : state_(std::make_unique<State>()) {
  state_->onRequest = std::move(onRequest);
  if (::pipe2(g_pipe, O_CLOEXEC) != 0) return;
  state_->reader = std::thread([state = state_.get()] {
    char byte = kStop;
    while (::read(g_pipe[0], &byte, 1) == 1 && byte == kRequest) state->onRequest();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
}

CloseRequestWatcher::~CloseRequestWatcher() {
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_DFL);
  if (state_->reader.joinable()) {
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &kStop, 1);
    state_->reader.join();
  }
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

bool CloseRequestWatcher::Active() const { return state_->reader.joinable(); }
