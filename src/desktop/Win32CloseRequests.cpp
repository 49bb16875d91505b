#include "desktop/CloseRequests.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// The system gives a program this long after a close, log-off or
// shut-down event before it ends it; the program is told to close well
// before that.
constexpr auto kCloseGrace = std::chrono::milliseconds(4500);

std::mutex g_mutex;
std::condition_variable g_changed;
std::function<void()>* g_onRequest = nullptr;  // the watcher's, while one exists
int g_running = 0;                             // handler calls inside onRequest

BOOL WINAPI OnConsoleEvent(DWORD event) {
  std::unique_lock lock(g_mutex);
  if (g_onRequest == nullptr) return FALSE;
  std::function<void()>& onRequest = *g_onRequest;
  ++g_running;
  lock.unlock();
  onRequest();
  lock.lock();
  --g_running;
  g_changed.notify_all();
  // Returning from these events ends the process at once: wait until the
  // program has closed (the watcher is gone), within the system's grace.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
    g_changed.wait_for(lock, kCloseGrace, [] { return g_onRequest == nullptr; });
  return TRUE;
}

}  // namespace

struct CloseRequestWatcher::State {
  std::function<void()> onRequest;
  bool installed = false;
};

CloseRequestWatcher::CloseRequestWatcher(std::function<void()> onRequest) : state_(std::make_unique<State>()) {
  state_->onRequest = std::move(onRequest);
  std::lock_guard lock(g_mutex);
  g_onRequest = &state_->onRequest;
  state_->installed = ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != 0;
}

CloseRequestWatcher::~CloseRequestWatcher() {
  if (state_->installed) ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  std::unique_lock lock(g_mutex);
  g_onRequest = nullptr;
  g_changed.notify_all();
  g_changed.wait(lock, [] { return g_running == 0; });
}

bool CloseRequestWatcher::Active() const { return state_->installed; }
