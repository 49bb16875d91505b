#include "tools/AfdrukkenSoll.h"

TFormAfdrukkenSoll* FormAfdrukkenSoll = nullptr;

TFormAfdrukkenSoll::TFormAfdrukkenSoll(QWidget* parent) : QDialog(parent) {
  setObjectName("FormAfdrukkenSoll");
  setWindowTitle("Afdrukken Soll");
}
