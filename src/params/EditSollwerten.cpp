#include "params/EditSollwerten.h"

TFormEditSollwerten* FormEditSollwerten = nullptr;

TFormEditSollwerten::TFormEditSollwerten(QWidget* parent) : QDialog(parent) {
  setObjectName("FormEditSollwerten");
  setWindowTitle("Edit Sollw");
}
