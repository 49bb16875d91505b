#include "tools/Calibratie.h"

TFormCalibratie* FormCalibratie = nullptr;

TFormCalibratie::TFormCalibratie(QWidget* parent) : TWindowBase(parent, "FormCalibratie", "Calibratie") {}
