#pragma once

#include "ui/WindowBase.h"

// The setpoint printout: header lines and the 24 setpoints on a printer.
class TFormAfdrukkenSoll : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormAfdrukkenSoll(QWidget* parent = nullptr);
};

extern TFormAfdrukkenSoll* FormAfdrukkenSoll;
