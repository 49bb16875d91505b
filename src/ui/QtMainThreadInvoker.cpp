#include "ui/QtMainThreadInvoker.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "ui/ApplicationTitle.h"
#include "ui/QtText.h"

QtMainThreadInvoker::QtMainThreadInvoker() = default;

QtMainThreadInvoker::~QtMainThreadInvoker() = default;

void QtMainThreadInvoker::NotifyMainThread() {
  QMetaObject::invokeMethod(&context_, [this] { RunPendingReporting(); }, Qt::QueuedConnection);
}

void QtMainThreadInvoker::RunPendingReporting() {
  try {
    RunPending();
  } catch (const std::exception& e) {
    QMessageBox::critical(QApplication::activeWindow(), kApplicationTitle, Q(e.what()));
  }
}
