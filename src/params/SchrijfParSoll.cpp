#include "params/SchrijfParSoll.h"

TFormSchrijfParSoll* FormSchrijfParSoll = nullptr;

TFormSchrijfParSoll::TFormSchrijfParSoll(QWidget* parent) : TWindowBase(parent, "FormSchrijfParSoll", "Schrijf Param") {}
