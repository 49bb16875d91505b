#include "tools/AfdrukkenSoll.h"

TFormAfdrukkenSoll* FormAfdrukkenSoll = nullptr;

TFormAfdrukkenSoll::TFormAfdrukkenSoll(QWidget* parent) : TWindowBase(parent, "FormAfdrukkenSoll", "Afdrukken Soll") {}
