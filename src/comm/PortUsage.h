#pragma once

#include <condition_variable>
#include <mutex>

// Lets a port's calls run on several threads (the worker reads and writes,
// the UI thread changes settings and closes) while closing waits for the
// calls in flight before it releases the system's handle.
class PortUsage {
public:
  // Held for the length of one call; ok() is false once the port is closed.
  class Use {
  public:
    explicit Use(PortUsage& usage) : usage_(usage) {
      std::lock_guard lock(usage_.mutex_);
      ok_ = !usage_.closed_;
      if (ok_) ++usage_.inFlight_;
    }
    ~Use() {
      if (!ok_) return;
      std::lock_guard lock(usage_.mutex_);
      if (--usage_.inFlight_ == 0) usage_.idle_.notify_all();
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    bool ok() const { return ok_; }

  private:
    PortUsage& usage_;
    bool ok_ = false;
  };

  bool Closed() {
    std::lock_guard lock(mutex_);
    return closed_;
  }

  // Marks the port closed and waits until no call uses it. False when it
  // was closed already (then the caller has nothing left to release).
  bool CloseAndWait() {
    std::unique_lock lock(mutex_);
    if (closed_) return false;
    closed_ = true;
    idle_.wait(lock, [this] { return inFlight_ == 0; });
    return true;
  }

private:
  std::mutex mutex_;
  std::condition_variable idle_;
  int inFlight_ = 0;
  bool closed_ = false;
};
