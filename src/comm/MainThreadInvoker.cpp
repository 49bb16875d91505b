#include "comm/MainThreadInvoker.h"

void MainThreadInvoker::RunAndWait(std::function<void()> task) {
  auto entry = std::make_shared<Task>();
  entry->run = std::move(task);
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(entry);
  }
  changed_.notify_all();
  NotifyMainThread();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return entry->done; });
}

void MainThreadInvoker::Post(std::function<void()> task) {
  auto entry = std::make_shared<Task>();
  entry->run = std::move(task);
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(entry));
  }
  changed_.notify_all();
  NotifyMainThread();
}

bool MainThreadInvoker::RunOne() {
  std::shared_ptr<Task> entry;
  {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    entry = queue_.front();
    queue_.pop_front();
  }
  // The waiting worker is released even when the task throws.
  struct Finish {
    MainThreadInvoker& self;
    Task& task;
    ~Finish() {
      --self.depth_;
      {
        std::lock_guard lock(self.mutex_);
        task.done = true;
      }
      self.changed_.notify_all();
    }
  };
  ++depth_;
  Finish finish{*this, *entry};
  entry->run();
  return true;
}

void MainThreadInvoker::RunPending() {
  while (RunOne()) {
    if (depth_ == 0 && !afterTasks_.empty()) {
      std::vector<std::shared_ptr<void>> release;
      release.swap(afterTasks_);
    }
  }
}

void MainThreadInvoker::ServeFor(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    RunPending();
    std::unique_lock lock(mutex_);
    if (woken_) {
      woken_ = false;
      return;
    }
    if (!changed_.wait_until(lock, deadline, [&] { return !queue_.empty() || woken_; })) return;
  }
}

void MainThreadInvoker::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  changed_.notify_all();
}
