#include "shell/SignalCloser.h"

#include <QPointer>
#include <QWidget>

#include "desktop/CloseRequests.h"

SignalCloser::SignalCloser(QWidget* window) : QObject(window) {
  QPointer<QWidget> target(window);
  watcher_ = std::make_unique<CloseRequestWatcher>([this, target] {
    QMetaObject::invokeMethod(
        this, [target] { if (target) target->close(); }, Qt::QueuedConnection);
  });
}

SignalCloser::~SignalCloser() = default;
