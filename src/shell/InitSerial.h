#pragma once

#include "ui/WindowBase.h"

// The serial settings of the port.
class TFormInitSerial : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormInitSerial(QWidget* parent = nullptr);
};

extern TFormInitSerial* FormInitSerial;
