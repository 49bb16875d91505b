#include "tools/DisplayNokken.h"

TFormDisplayNokken* FormDisplayNokken = nullptr;

TFormDisplayNokken::TFormDisplayNokken(QWidget* parent) : QDialog(parent) {
  setObjectName("FormDisplayNokken");
  setWindowTitle("Display nokken");
}
