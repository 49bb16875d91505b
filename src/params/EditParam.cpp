#include "params/EditParam.h"

TFormEditParam* FormEditParam = nullptr;

TFormEditParam::TFormEditParam(QWidget* parent) : TWindowBase(parent, "FormEditParam", "Edit param") {}
