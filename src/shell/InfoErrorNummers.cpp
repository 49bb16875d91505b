#include "shell/InfoErrorNummers.h"

TFormInfoErrorNummers* FormInfoErrorNummers = nullptr;

TFormInfoErrorNummers::TFormInfoErrorNummers(QWidget* parent) : QDialog(parent) {
  setObjectName("FormInfoErrorNummers");
  setWindowTitle("Error nummers");
}
