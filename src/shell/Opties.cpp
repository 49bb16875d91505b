#include "shell/Opties.h"

TFormOpties* FormOpties = nullptr;

TFormOpties::TFormOpties(QWidget* parent) : TWindowBase(parent, "FormOpties", "Instellingem") {}
