#include "tools/AfdrukkenPar.h"

TFormAfdrukkenPar* FormAfdrukkenPar = nullptr;

TFormAfdrukkenPar::TFormAfdrukkenPar(QWidget* parent) : TWindowBase(parent, "FormAfdrukkenPar", "Afdrukken param") {}
