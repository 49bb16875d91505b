#pragma once

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The program options: the language, the fast transfers, and whether every
// exchange is written to a traffic transcript in a folder. OK opens the
// language file of a newly chosen language, then applies the main window's
// texts and reloads the parameter catalogue (whose texts depend on the
// language) in any case. Fast transfers are a setting of the port: its
// replies end at their line end instead of after a silence.
class TFormOpties : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormOpties(QWidget* parent = nullptr);

  QComboBox* ComboTaal = nullptr;
  QCheckBox* CheckSnelleOverdracht = nullptr;
  QCheckBox* CheckLogVerkeer = nullptr;
  QLineEdit* EditLogMap = nullptr;
  QPushButton* CmdLogMap = nullptr;
  // Read back every value a write sent, and list each the device holds otherwise.
  QCheckBox* CheckControle = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdCancel = nullptr;

protected:
  void FormActivate() override;

private:
  QWidget* BuildTrafficGroup(QWidget* page);
  void CmdLogMapClick();
  void CmdOKClick();

  WindowTexts texts_;
  int indexAtActivation_ = 0;
};

extern TFormOpties* FormOpties;
