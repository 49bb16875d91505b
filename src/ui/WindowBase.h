#pragma once

#include <QDialog>
#include <optional>

#include "model/LineCommand.h"
#include "model/PollingPause.h"

class TRkComm;

// What every secondary window shares:
//  - FormActivate runs once each time the window is shown, never because a
//    window it opened has closed (so a window keeps its state meanwhile);
//  - its protocol components are wired to the program's one port in one
//    call;
//  - a window that needs the port to itself holds the polling pause while
//    it is shown.
class TWindowBase : public QDialog {
  Q_OBJECT
public:
  TWindowBase(QWidget* parent, const char* objectName, const QString& caption);

  // The program's port, owned by the main window, which registers it.
  static void SetPort(TRkComm* port);
  static TRkComm& Port();
  static bool PortOpen();

protected:
  // Runs each time the window is shown, before it is painted.
  virtual void FormActivate() {}
  void PausePollingWhileShown() { pausesPolling_ = true; }
  void Wire(TQL200Protocol& component, int timeoutMs, ReplyHandler onReply, FailureHandler onFailure = {});

  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  bool pausesPolling_ = false;
  std::optional<PollingPause::Hold> pause_;
};
