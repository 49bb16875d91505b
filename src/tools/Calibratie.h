#pragma once

#include "ui/WindowBase.h"

// Calibration of the analog outputs and inputs and storing it in the device's EEPROM.
class TFormCalibratie : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormCalibratie(QWidget* parent = nullptr);
};

extern TFormCalibratie* FormCalibratie;
