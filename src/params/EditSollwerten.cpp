#include "params/EditSollwerten.h"

TFormEditSollwerten* FormEditSollwerten = nullptr;

TFormEditSollwerten::TFormEditSollwerten(QWidget* parent) : TWindowBase(parent, "FormEditSollwerten", "Edit Sollw") {}
