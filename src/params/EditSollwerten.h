#pragma once

#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class SetpointGridView;

// The editor of the 24 setpoints: a two-half grid edited in place, setpoint
// files, receiving and sending the setpoints, and their printout.
class TFormEditSollwerten : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormEditSollwerten(QWidget* parent = nullptr);

  // What the menu entries do once their file dialog has given a file:
  // loading shows its error box and takes nothing over after an error;
  // saving reports a file that cannot be written. True on success.
  bool OpenFile(const QString& path);
  bool SaveFile(const QString& path);

  SetpointGridView* StringGrid1 = nullptr;
  QLabel* Panel1 = nullptr;  // the invalid-input text
  QMenuBar* SollMenu1 = nullptr;
  QMenu* menuBestand = nullptr;
  QAction* subOpenen = nullptr;
  QAction* subOpslaanAls = nullptr;
  QAction* subAfdrukken = nullptr;
  QAction* subAfsluiten = nullptr;
  QMenu* menuZendenOntvangen = nullptr;
  QAction* subParOntvangen = nullptr;  // receive setpoints
  QAction* subParZenden = nullptr;     // send setpoints

protected:
  void FormActivate() override;

private:
  void BuildMenus();
  void ApplyHeaderTexts();
  void BuildGrid();
  void StringGrid1Enter();
  void StringGrid1Escape();
  void OpenClick();
  void SaveAsClick();
  void ReceiveClick();
  void SendClick();
  void PrintClick();
  // Asks before sending or printing setpoints that were neither received
  // nor loaded; true on Yes.
  bool ConfirmUnknownSetpoints(const char* section, const std::string& text);
  void ShowFileError(const QString& text);
  QString Text(const char* key, const char* builtIn) const;

  WindowTexts texts_;
};

extern TFormEditSollwerten* FormEditSollwerten;
