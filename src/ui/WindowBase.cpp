#include "ui/WindowBase.h"

#include <QShowEvent>
#include <cassert>

#include "comm/RkComm.h"

namespace {

TRkComm* programPort = nullptr;

}  // namespace

TWindowBase::TWindowBase(QWidget* parent, const char* objectName, const QString& caption) : QDialog(parent) {
  setObjectName(objectName);
  setWindowTitle(caption);
}

void TWindowBase::SetPort(TRkComm* port) { programPort = port; }

TRkComm& TWindowBase::Port() {
  assert(programPort != nullptr);
  return *programPort;
}

bool TWindowBase::PortOpen() { return programPort != nullptr && programPort->Active(); }

void TWindowBase::Wire(TQL200Protocol& component, int timeoutMs, ReplyHandler onReply, FailureHandler onFailure) {
  WireLineCommand(component, programPort, timeoutMs, std::move(onReply), std::move(onFailure));
}

void TWindowBase::showEvent(QShowEvent* event) {
  // A spontaneous show is the window coming back from being minimised:
  // not a new activation.
  if (!event->spontaneous()) {
    if (pausesPolling_ && !pause_) pause_.emplace(SharedPollingPause());
    FormActivate();
  }
  QDialog::showEvent(event);
}

void TWindowBase::hideEvent(QHideEvent* event) {
  if (!event->spontaneous()) pause_.reset();
  QDialog::hideEvent(event);
}
