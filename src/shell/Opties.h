#pragma once

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QCheckBox;
class QComboBox;
class QPushButton;

// The program options: the language. OK opens the language file of a newly
// chosen language, then applies the main window's texts and reloads the
// parameter catalogue (whose texts depend on the language) in any case.
class TFormOpties : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormOpties(QWidget* parent = nullptr);

  QComboBox* ComboTaal = nullptr;
  // Read back every value a write sent, and list each the device holds otherwise.
  QCheckBox* CheckControle = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdCancel = nullptr;

protected:
  void FormActivate() override;

private:
  void CmdOKClick();

  WindowTexts texts_;
  int indexAtActivation_ = 0;
};

extern TFormOpties* FormOpties;
