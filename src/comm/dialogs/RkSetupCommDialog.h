#pragma once

#include <functional>

#include "comm/RkProtocolComponent.h"

class QWidget;

// Shows the port setup window for the port it is bound to (RkComm) as a
// modal dialog. Execute speaks the system's language (German on a German
// locale, English otherwise); ExecuteEnglish always English. Both return
// whether the window was closed with OK, which has then written every
// setting to the port.
class TRkSetupCommDialog : public TRkComponent {
public:
  using NotifyEvent = std::function<void(TRkSetupCommDialog& sender)>;

  // owner: the window the dialog is shown above (may be null).
  explicit TRkSetupCommDialog(QWidget* owner = nullptr);

  virtual bool Execute();
  virtual bool ExecuteEnglish();

  // OnShow runs when the window is shown, before it reads the port (the
  // main window closes its port there); OnClose when the window is gone.
  NotifyEvent OnShow;
  NotifyEvent OnClose;

private:
  bool Run(int language);

  QWidget* owner_;
};
