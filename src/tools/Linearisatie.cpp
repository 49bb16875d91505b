#include "tools/Linearisatie.h"

TFormLinearisatie* FormLinearisatie = nullptr;

TFormLinearisatie::TFormLinearisatie(QWidget* parent) : TWindowBase(parent, "FormLinearisatie", "Lin Grafiek") {}
