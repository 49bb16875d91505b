#include "shell/InfoErrorNummers.h"

TFormInfoErrorNummers* FormInfoErrorNummers = nullptr;

TFormInfoErrorNummers::TFormInfoErrorNummers(QWidget* parent) : TWindowBase(parent, "FormInfoErrorNummers", "Error nummers") {}
