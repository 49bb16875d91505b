#include "params/LeesParSoll.h"

TFormLeesParSoll* FormLeesParSoll = nullptr;

TFormLeesParSoll::TFormLeesParSoll(QWidget* parent) : QDialog(parent) {
  setObjectName("FormLeesParSoll");
  setWindowTitle("Lees Param");
}
