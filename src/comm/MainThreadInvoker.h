#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The port worker's one link to the user-interface thread: it hands tasks
// (received bytes, a result, "start the next request") over and blocks
// until the UI thread has run them, so every component event runs on the UI
// thread and no component state needs a lock.
//
// The UI thread runs the tasks from its event loop (RunPending, triggered by
// NotifyMainThread) or, while it waits for a worker to end, from
// ServeFor. The queue is std-only so that ThreadSanitizer sees every
// synchronisation.
class MainThreadInvoker {
public:
  virtual ~MainThreadInvoker() = default;

  // Worker thread: runs task on the UI thread and waits until it has run.
  void RunAndWait(std::function<void()> task);
  // Any thread: queues task for the UI thread without waiting.
  void Post(std::function<void()> task);

  // UI thread: runs every task queued so far (and those they queue).
  void RunPending();
  // UI thread: runs queued tasks as they come, for at most `timeout` or
  // until Wake() is called.
  void ServeFor(std::chrono::milliseconds timeout);
  // Any thread: ends a ServeFor wait early.
  void Wake();
  // UI thread: a handed-over task is running now (the worker that handed it
  // over is blocked until it returns).
  bool InsideTask() const { return depth_ > 0; }
  // UI thread, inside a task: keeps `object` until every running task has
  // returned, then releases it. For a worker that can only be joined once
  // the hand-over blocking it is over.
  void ReleaseAfterTasks(std::shared_ptr<void> object) { afterTasks_.push_back(std::move(object)); }

protected:
  // Called after a task was queued, on the queuing thread. The UI toolkit's
  // implementation arranges for RunPending to run on the UI thread soon.
  virtual void NotifyMainThread() {}

private:
  struct Task {
    std::function<void()> run;
    bool done = false;
  };
  bool RunOne();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::shared_ptr<Task>> queue_;
  bool woken_ = false;
  int depth_ = 0;  // UI thread only
  std::vector<std::shared_ptr<void>> afterTasks_;  // UI thread only
};

// For tests and command-line front ends: nothing drives the tasks but
// ServeFor/RunPending called by the owner of the "UI" thread.
class ManualInvoker : public MainThreadInvoker {};
