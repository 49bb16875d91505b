#include "tools/AfdrukkenPar.h"

TFormAfdrukkenPar* FormAfdrukkenPar = nullptr;

TFormAfdrukkenPar::TFormAfdrukkenPar(QWidget* parent) : QDialog(parent) {
  setObjectName("FormAfdrukkenPar");
  setWindowTitle("Afdrukken param");
}
