#pragma once

#include "ui/WindowBase.h"

// The linearisation curve of up to 30 points.
class TFormLinearisatie : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormLinearisatie(QWidget* parent = nullptr);
};

extern TFormLinearisatie* FormLinearisatie;
