#pragma once

#include "ui/WindowBase.h"

// The program options: the language.
class TFormOpties : public TWindowBase {
  Q_OBJECT
public:
  explicit TFormOpties(QWidget* parent = nullptr);
};

extern TFormOpties* FormOpties;
