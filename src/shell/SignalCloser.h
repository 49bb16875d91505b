#pragma once

#include <QObject>
#include <memory>

class CloseRequestWatcher;
class QWidget;

// Closes a window when the system asks the program to end (SIGTERM or
// SIGINT; on Windows the console's close events), exactly as the user
// closing it would (so the port is closed and the settings written). The
// request is handed to the event loop, which closes the window.
class SignalCloser : public QObject {
  Q_OBJECT
public:
  explicit SignalCloser(QWidget* window);
  ~SignalCloser() override;

private:
  std::unique_ptr<CloseRequestWatcher> watcher_;
};
