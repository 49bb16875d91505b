#pragma once

#include <QString>
#include <array>
#include <string>

#include "comm/RkTypes.h"
#include "ui/WindowBase.h"
#include "ui/WindowTexts.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

// The serial settings of the program's port: which COM number, its line
// settings, and (shown only) its hardware and driver settings. Showing the
// window closes the port; OK writes every setting and opens it again,
// Cancel leaves it closed.
//
// Beside the COM number the window shows the device the number stands for
// on this machine, with what the system knows of it (for a USB adapter its
// vendor, product and serial number), and lets the user put the number on
// any serial device present or on a typed path (a pseudo-terminal). The
// mapping is kept by the main window (its [Poorten] settings).
class TFormInitSerial : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormInitSerial(QWidget* parent = nullptr);

  QTabWidget* PageControl1 = nullptr;
  QComboBox* ComboPoort = nullptr;
  QComboBox* Combo_IO = nullptr;
  QComboBox* ComboBaud = nullptr;
  QComboBox* ComboDataBits = nullptr;
  QComboBox* ComboParity = nullptr;
  QComboBox* ComboStopBits = nullptr;
  QComboBox* ComboHardware = nullptr;
  QComboBox* ComboPortType = nullptr;
  QComboBox* ComboReceiver = nullptr;
  QComboBox* ComboTransmitter = nullptr;
  QComboBox* ComboDevicePath = nullptr;  // editable: a listed device or a typed path
  QLabel* LabelDeviceInfo = nullptr;
  QPushButton* CmdRefreshDevices = nullptr;
  QPushButton* CmdOK = nullptr;
  QPushButton* CmdCancel = nullptr;

protected:
  void FormActivate() override;

private:
  QWidget* BuildInterfacePage();
  QWidget* BuildDeviceGroup(QWidget* parent);
  QWidget* BuildExtendedPage();
  void SelectCurrentSettings();
  void ComboPoortChange();
  void ShowDeviceOfChosenPort();
  void DevicePathEdited(const QString& text);
  void ListPresentDevices();
  void CmdOKClick();
  void WriteSettings() const;
  void StoreMapping() const;
  int ChosenPort() const;

  WindowTexts texts_;
  bool selecting_ = false;  // the window itself is setting the lists
  // The device path of each COM number as edited here; taken over at OK.
  std::array<std::string, kPortCount> paths_;
};

extern TFormInitSerial* FormInitSerial;
