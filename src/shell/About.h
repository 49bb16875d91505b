#pragma once

#include "ui/WindowBase.h"

// Program name, version and maker.
class TFormAbout : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormAbout(QWidget* parent = nullptr);
};

extern TFormAbout* FormAbout;
