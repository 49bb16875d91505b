#include "params/LeesParSoll.h"

TFormLeesParSoll* FormLeesParSoll = nullptr;

TFormLeesParSoll::TFormLeesParSoll(QWidget* parent) : TWindowBase(parent, "FormLeesParSoll", "Lees Param") {}
