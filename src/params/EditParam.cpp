#include "params/EditParam.h"

TFormEditParam* FormEditParam = nullptr;

TFormEditParam::TFormEditParam(QWidget* parent) : QDialog(parent) {
  setObjectName("FormEditParam");
  setWindowTitle("Edit param");
}
