#include "shell/About.h"

TFormAbout* FormAbout = nullptr;

TFormAbout::TFormAbout(QWidget* parent) : TWindowBase(parent, "FormAbout", "Info") {}
