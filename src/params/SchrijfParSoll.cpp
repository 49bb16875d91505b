#include "params/SchrijfParSoll.h"

TFormSchrijfParSoll* FormSchrijfParSoll = nullptr;

TFormSchrijfParSoll::TFormSchrijfParSoll(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSchrijfParSoll");
  setWindowTitle("Schrijf Param");
}
