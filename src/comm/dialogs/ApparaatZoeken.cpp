#include "comm/dialogs/ApparaatZoeken.h"

TFormApparaatZoeken* FormApparaatZoeken = nullptr;

TFormApparaatZoeken::TFormApparaatZoeken(QWidget* parent) : QDialog(parent) {
  setObjectName("FormApparaatZoeken");
  setWindowTitle("FormApparaatZoeken");
}
