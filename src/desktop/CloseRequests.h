#pragma once

#include <functional>
#include <memory>

// Hears the system ask the program to end: SIGTERM and SIGINT on Linux; on
// Windows the console's Ctrl+C, Ctrl+Break and close button, log-off and
// shut-down. onRequest runs on a thread of the watcher's own, never inside
// a signal handler, and should only hand the request on (to the UI thread).
// The program is not ended by the request itself: it closes its main window
// as the user would, so the port is closed and the settings are written.
//
// One watcher at a time; destroying it restores the system's default
// handling. On Windows, after a close, log-off or shut-down event the
// system ends the program once the watcher is destroyed, or after a few
// seconds at most.
class CloseRequestWatcher {
public:
  explicit CloseRequestWatcher(std::function<void()> onRequest);
  ~CloseRequestWatcher();
  CloseRequestWatcher(const CloseRequestWatcher&) = delete;
  CloseRequestWatcher& operator=(const CloseRequestWatcher&) = delete;

  // Whether the system's handlers could be installed.
  bool Active() const;

private:
  struct State;
  std::unique_ptr<State> state_;
};
