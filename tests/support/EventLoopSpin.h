#pragma once

// Runs the event loop as the program does, for tests and benchmarks of
// windows: QTest::qWait sleeps between rounds, which would slow every
// hand-over of the serial worker down.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

inline void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Spins until `done` holds or `timeoutMs` have passed.
template <typename Predicate>
bool SpinUntil(Predicate done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.hasExpired(timeoutMs)) return false;
    Spin(1);
  }
  return true;
}
