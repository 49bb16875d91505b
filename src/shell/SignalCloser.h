#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Closes a window when the process gets SIGTERM or SIGINT, exactly as the
// user closing it would (so the port is closed and the settings written).
// The signal handler only writes to a pipe; the window is closed from the
// event loop.
class SignalCloser : public QObject {
  Q_OBJECT
public:
  explicit SignalCloser(QWidget* window);
  ~SignalCloser() override;

private:
  QWidget* window_;
  QSocketNotifier* notifier_ = nullptr;
};
