#include "tools/Grafiek.h"

TFormGrafiek* FormGrafiek = nullptr;

TFormGrafiek::TFormGrafiek(QWidget* parent) : TWindowBase(parent, "FormGrafiek", "Istwerten") {}
