#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "comm/HardwareRules.h"

class QComboBox;
class QLabel;
class QPushButton;
class QShowEvent;
class QTabWidget;
class QWidget;
class TRkComm;

// The serial library's own window for every setting of a port, in English
// or German (the library's texts 50..82). Each list's item position is the
// ordinal of the setting it stands for. The hardware, port type and driver
// lists keep one another consistent as the port does; OK is offered only
// while the port is closed, since an open port refuses identity changes.
class TRkSetupCommForm : public QDialog {
  Q_OBJECT
public:
  // language: 1 English, 2 German.
  TRkSetupCommForm(TRkComm* port, int language, QWidget* parent = nullptr);

  TRkComm* Port() const { return port_; }
  int Language() const { return language_; }
  // The help file of the window's language; each list carries its help
  // context (1..10) in the property "HelpContext".
  const QString& HelpFile() const { return helpFile_; }

  // Runs when the window is shown, before it looks at the port.
  std::function<void()> OnShow;

  QTabWidget* PageControl = nullptr;
  QWidget* TSAnschluss = nullptr;
  QWidget* TSErweitert = nullptr;
  QComboBox* CBAnschluss = nullptr;
  QComboBox* CBBereich = nullptr;
  QComboBox* CBBaudrate = nullptr;
  QComboBox* CBDatenbits = nullptr;
  QComboBox* CBParitaet = nullptr;
  QComboBox* CBStopbits = nullptr;
  QComboBox* CBHardware = nullptr;
  QComboBox* CBTyp = nullptr;
  QComboBox* CBEmpfangen = nullptr;
  QComboBox* CBSenden = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

protected:
  void showEvent(QShowEvent* event) override;

private:
  QString Text(int number) const;
  QComboBox* AddList(QWidget* page, const char* labelName, int labelText, const char* listName, int helpContext,
                     const QStringList& items);
  void FormActivate();
  void CBAnschlussChange();
  void HardwareListChange(QComboBox* changed);
  void ShowHardwareSettings(const HardwareSettings& settings);
  HardwareSettings ShownHardwareSettings() const;
  void UpdateCaption();
  void OKButtonClick();
  void WriteToPort(TRkComm& port) const;

  TRkComm* port_;
  int language_;
  QString helpFile_;
  bool showing_ = false;  // the window itself is setting the lists
};
