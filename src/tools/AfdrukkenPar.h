#pragma once

#include "ui/WindowBase.h"

// The parameter printout: header lines and the parameters by group on a printer.
class TFormAfdrukkenPar : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormAfdrukkenPar(QWidget* parent = nullptr);
};

extern TFormAfdrukkenPar* FormAfdrukkenPar;
