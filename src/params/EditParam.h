#pragma once

#include "ui/WindowBase.h"

// The parameter editor: parameters by group, with their options, decimals and limits.
class TFormEditParam : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormEditParam(QWidget* parent = nullptr);
};

extern TFormEditParam* FormEditParam;
