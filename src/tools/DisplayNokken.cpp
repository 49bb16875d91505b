#include "tools/DisplayNokken.h"

TFormDisplayNokken* FormDisplayNokken = nullptr;

TFormDisplayNokken::TFormDisplayNokken(QWidget* parent) : TWindowBase(parent, "FormDisplayNokken", "Display nokken") {}
