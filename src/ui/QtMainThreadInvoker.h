#pragma once

#include <QObject>

#include "comm/MainThreadInvoker.h"

// Runs the port worker's hand-overs from the Qt event loop: each queued
// task posts a call of RunPending to the UI thread. A task that throws (a
// port setting refused inside an event handler) is reported in a message
// box, as an unhandled error of a click would be.
class QtMainThreadInvoker : public MainThreadInvoker {
public:
  QtMainThreadInvoker();
  ~QtMainThreadInvoker() override;

protected:
  void NotifyMainThread() override;

private:
  void RunPendingReporting();
  QObject context_;  // pending calls die with it
};
