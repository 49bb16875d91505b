#include "comm/dialogs/RkSetupCommDialog.h"

#include <memory>

#include "comm/RkGlobal.h"
#include "comm/dialogs/RkSetupForm.h"

TRkSetupCommDialog::TRkSetupCommDialog(QWidget* owner) : owner_(owner) {}

bool TRkSetupCommDialog::Execute() { return Run(LibraryLanguage()); }

bool TRkSetupCommDialog::ExecuteEnglish() { return Run(1); }

bool TRkSetupCommDialog::Run(int language) {
  bool confirmed = false;
  {
    TRkSetupCommForm form(RkComm(), language, owner_);
    if (OnShow) form.OnShow = [this] { OnShow(*this); };
    confirmed = form.exec() == QDialog::Accepted;
  }
  if (OnClose) OnClose(*this);
  return confirmed;
}
