#pragma once

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QTextEdit;

// The help text on the device's error numbers, in the chosen language
// ("ErrorHelp0.rtf" .. "ErrorHelp2.rtf" in the program folder). Not modal,
// so it can stay open beside the main window; the document is read again
// each time the window becomes active, so a change of language shows the
// next time.
class TFormInfoErrorNummers : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormInfoErrorNummers(QWidget* parent = nullptr);

  QTextEdit* RichEdit1 = nullptr;

protected:
  void FormActivate() override;
  void changeEvent(QEvent* event) override;

private:
  void LoadDocument();
  void ShowFailure(const char* kind, const std::string& message);

  WindowTexts texts_;
};

extern TFormInfoErrorNummers* FormInfoErrorNummers;
