#include "comm/dialogs/ApparaatZoeken.h"

TFormApparaatZoeken* FormApparaatZoeken = nullptr;

TFormApparaatZoeken::TFormApparaatZoeken(QWidget* parent) : TWindowBase(parent, "FormApparaatZoeken", "FormApparaatZoeken") {}
