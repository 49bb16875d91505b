#include "shell/InitSerial.h"

TFormInitSerial* FormInitSerial = nullptr;

TFormInitSerial::TFormInitSerial(QWidget* parent) : TWindowBase(parent, "FormInitSerial", "Seriele poort") {}
