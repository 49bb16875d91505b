#include "shell/InitSerial.h"

TFormInitSerial* FormInitSerial = nullptr;

TFormInitSerial::TFormInitSerial(QWidget* parent) : QDialog(parent) {
  setObjectName("FormInitSerial");
  setWindowTitle("Seriele poort");
}
