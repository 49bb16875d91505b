#pragma once

#include "ui/WindowBase.h"

// The twelve cams and four outputs as a coloured grid.
class TFormDisplayNokken : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormDisplayNokken(QWidget* parent = nullptr);
};

extern TFormDisplayNokken* FormDisplayNokken;
