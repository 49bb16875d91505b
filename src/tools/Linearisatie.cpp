#include "tools/Linearisatie.h"

TFormLinearisatie* FormLinearisatie = nullptr;

TFormLinearisatie::TFormLinearisatie(QWidget* parent) : QDialog(parent) {
  setObjectName("FormLinearisatie");
  setWindowTitle("Lin Grafiek");
}
