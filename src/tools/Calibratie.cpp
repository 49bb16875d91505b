#include "tools/Calibratie.h"

TFormCalibratie* FormCalibratie = nullptr;

TFormCalibratie::TFormCalibratie(QWidget* parent) : QDialog(parent) {
  setObjectName("FormCalibratie");
  setWindowTitle("Calibratie");
}
